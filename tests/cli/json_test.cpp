// The batch command line's JSON reader (strict, bounded), its writer, the
// project fields by name and the request to the PDF writer.
#include "input_json.h"
#include "json.h"
#include "pdf_request.h"

#include "tests/sanitized.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <limits>
#include <string>

using namespace qeln;
using namespace qeln::json;

namespace {

std::optional<Value> ok(const std::string& text)
{
    ParseError e;
    auto v = parse(text, e);
    EXPECT_TRUE(v.has_value()) << text.substr(0, 80) << ": " << e.message;
    return v;
}

ParseError bad(const std::string& text)
{
    ParseError e;
    auto v = parse(text, e);
    EXPECT_FALSE(v.has_value()) << text.substr(0, 80);
    return e;
}

std::string manyKeys(int n, const std::string& tail = "")
{
    std::string s = "{";
    for (int i = 0; i < n; ++i)
        s += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":1";
    return s + tail + "}";
}

} // namespace

TEST(JsonParse, ValuesOfEveryKind)
{
    auto v = ok(R"( {"a": [1, -2.5e3, 0, true, false, null, -7], "b": {"c": "x"}, "d": -0.25} )");
    ASSERT_TRUE(v->is_object());
    const Value& a = v->at("a");
    ASSERT_EQ(a.size(), 7u);
    EXPECT_EQ(a[0].get<double>(), 1);
    EXPECT_TRUE(a[0].is_number_integer());
    EXPECT_TRUE(a[6].is_number_integer());
    EXPECT_EQ(a[1].get<double>(), -2500);
    EXPECT_FALSE(a[1].is_number_integer());
    EXPECT_TRUE(a[3].get<bool>());
    EXPECT_TRUE(a[5].is_null());
    EXPECT_EQ(v->at("b").at("c").get<std::string>(), "x");
    EXPECT_EQ(v->at("d").get<double>(), -0.25);
    EXPECT_EQ(ok("1e-400")->get<double>(), 0);   // underflow is harmless
}

TEST(JsonParse, StringEscapes)
{
    auto v = ok(R"("q\" b\\ s\/ \b\f\n\r\t \u00e9 \u20AC \ud83d\ude00")");
    EXPECT_EQ(v->get<std::string>(), "q\" b\\ s/ \b\f\n\r\t \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80");
    EXPECT_EQ(ok("\"Stütze\"")->get<std::string>(), "Stütze");
}

// Every refusal with where it is reported: line, column and a word of the message.
struct Refusal {
    const char* text;
    std::size_t line, column;
    const char* says;
};

class JsonRefuses : public testing::TestWithParam<Refusal> {};

TEST_P(JsonRefuses, WithItsPlace)
{
    const Refusal& r = GetParam();
    const ParseError e = bad(r.text);
    EXPECT_EQ(e.line, r.line) << r.text << ": " << e.message;
    EXPECT_EQ(e.column, r.column) << r.text << ": " << e.message;
    EXPECT_NE(e.message.find(r.says), std::string::npos) << r.text << ": " << e.message;
    EXPECT_EQ(e.message.find("json.exception"), std::string::npos) << e.message;
}

INSTANTIATE_TEST_SUITE_P(
    StrictJson, JsonRefuses,
    testing::Values(Refusal{"", 1, 1, "end of input"}, Refusal{"{} x", 1, 4, "end of input"},
                    Refusal{"{\n  \"a\": 1,\n  \"a\": 2\n}", 3, 3, "duplicate member \"a\""},
                    Refusal{"{\"x\": {\"a\\\"\": 1, \"a\\\"\": 2}}", 1, 18, "duplicate"},
                    Refusal{"[1,\n 2e400]", 2, 2, "out of the range"}, Refusal{"[-1e999]", 1, 2, "out of the range"},
                    Refusal{"NaN", 1, 1, "invalid literal"}, Refusal{"-Infinity", 1, 2, "invalid number"},
                    Refusal{"01", 1, 2, "syntax error"}, Refusal{"1.", 1, 3, "invalid number"},
                    Refusal{".5", 1, 1, "invalid literal"}, Refusal{"+1", 1, 1, "invalid literal"},
                    Refusal{"[1,]", 1, 4, "unexpected ']'"}, Refusal{"{\"a\":1,}", 1, 8, "unexpected '}'"},
                    Refusal{"{a:1}", 1, 2, "invalid literal"}, Refusal{"'x'", 1, 1, "invalid literal"},
                    Refusal{"\"tab\there\"", 1, 5, "control character"}, Refusal{"\"\\x\"", 1, 3, "after backslash"},
                    Refusal{"\"\\ud83d\"", 1, 8, "surrogate"}, Refusal{"\"\\ude00\"", 1, 7, "surrogate"},
                    Refusal{"\"\\u12\"", 1, 6, "4 hex digits"}, Refusal{"\"\xC3\"", 1, 3, "UTF-8"},
                    Refusal{"\"\xED\xA0\x80\"", 1, 3, "UTF-8"}, Refusal{"\"open", 1, 6, "missing closing quote"},
                    Refusal{"tru", 1, 4, "invalid literal"}, Refusal{"\xEF\xBB\xBF{}", 1, 1, "byte order mark"}));

TEST(JsonParse, DepthLimit)
{
    std::string deep(kMaxDepth, '[');
    deep += std::string(kMaxDepth, ']');
    ok(deep);
    std::string tooDeep(kMaxDepth + 1, '[');
    tooDeep += std::string(kMaxDepth + 1, ']');
    const ParseError e = bad(tooDeep);
    EXPECT_NE(e.message.find("nesting"), std::string::npos);
    EXPECT_EQ(e.column, static_cast<std::size_t>(kMaxDepth + 1));
    bad(std::string(1000000, '[') + std::string(1000000, ']'));
    bad(std::string(kMaxDepth, '{') + "}");
}

// Finding: the duplicate check was quadratic (200k keys took more than 20 s).
TEST(JsonParse, ManyKeysAreReadInLinearishTime)
{
    const std::string text = manyKeys(200000);
    const auto start = std::chrono::steady_clock::now();
    auto v = ok(text);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // quadratic took over 20 s, and minutes under the sanitizers
    const double limit = QELN_SANITIZED ? 30.0 : 1.0;
    EXPECT_LT(seconds, limit);
    EXPECT_EQ(v->size(), 200000u);

    const ParseError e = bad(manyKeys(200000, ",\"k199999\":2"));
    EXPECT_NE(e.message.find("duplicate member \"k199999\""), std::string::npos);
    EXPECT_EQ(e.column, text.size() + 1);   // where the second k199999 begins
}

// Finding: an array took about 90 times its size in memory. The values are
// counted, which bounds the memory of any text.
TEST(JsonParse, ValueCountIsBounded)
{
    std::string atLimit = "[0";
    for (std::size_t i = 1; i < kMaxValues - 1; ++i)
        atLimit += ",0";
    ok(atLimit + "]");
    const ParseError e = bad(atLimit + ",[]]");
    EXPECT_NE(e.message.find("more than 1000000 values"), std::string::npos);
    EXPECT_EQ(e.column, atLimit.size() + 2);
}

TEST(JsonWrite, NumbersReadBackExactlyAndNeverNaN)
{
    for (double v : {0.1, 5061.019751012565, 1e-300, -123456.789, 1.0 / 3.0, 4.9e-324, 1e300, 9007199254740993.0,
                     -9007199254740992.0, 123456789012345678.0, -0.0, 0.0001, 1e21}) {
        const std::string text = numberText(v);
        auto back = ok(text);
        EXPECT_EQ(back->get<double>(), v) << text;
        EXPECT_EQ(std::signbit(back->get<double>()), std::signbit(v)) << text;
    }
    EXPECT_EQ(numberText(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(numberText(-std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(numberText(355), "355");   // as the listing tools expect, no ".0"
    EXPECT_EQ(numberText(-0.0), "-0.0");
    EXPECT_EQ(numberText(0.25), "0.25");
}

TEST(JsonWrite, KeepsOrderAndWritesValidUtf8)
{
    Ordered doc = Ordered::object();
    doc["z"] = "a\"b\\c\n\x01 \xC3\xA9 \xFF";
    doc["a"] = Ordered::array({1, nullptr, true});
    const std::string text = dump(doc);
    EXPECT_EQ(text, "{\"z\":\"a\\\"b\\\\c\\n\\u0001 \xC3\xA9 \xEF\xBF\xBD\",\"a\":[1,null,true]}");
    EXPECT_EQ(ok(text)->at("z").get<std::string>(), "a\"b\\c\n\x01 \xC3\xA9 \xEF\xBF\xBD");
}

TEST(JsonInput, FieldsDefaultsAndTypes)
{
    // the input read; a failure fails the test
    const auto read = [](const Value& doc) {
        const Result<cli::JsonInput> r = cli::inputFromJson(doc);
        EXPECT_TRUE(r) << r.failure().detail;
        return r ? *r : cli::JsonInput{};
    };
    cli::JsonInput in = read(*ok(R"({"n1": 8, "e1": -50, "autoReduce": false, "projectName": "P"})"));
    EXPECT_EQ(in.input.n1, 8);
    EXPECT_EQ(in.input.e1, -50);
    EXPECT_FALSE(in.input.autoReduce);
    EXPECT_EQ(in.input.projectName, "P");
    EXPECT_EQ(in.input.fck, 30);
    EXPECT_FALSE(in.sectionComplete);
    EXPECT_FALSE(in.createdOnGiven);

    in = read(*ok(R"({"h":1,"b":2,"tw":3,"tf":4,"r":5,"createdOn":45000.5})"));
    EXPECT_TRUE(in.sectionComplete);
    EXPECT_TRUE(in.createdOnGiven);
    EXPECT_FALSE(in.lastUpdatedGiven);
    EXPECT_FALSE(in.given[5]);
    EXPECT_FALSE(in.input.movrixAvailable);

    in = read(*ok(R"({"n1": -2147483648, "n2": 2147483647})"));
    EXPECT_EQ(in.input.n1, INT_MIN);
    EXPECT_EQ(in.input.n2, INT_MAX);

    in = read(*ok(R"({"projectCode": "123456789012345678901234"})"));
    EXPECT_EQ(in.input.projectCode, "12345678901234567890");

    // the approval as the project file keeps it: without blanks around, cut to its limit
    in = read(
        *ok(R"({"checker": "  A. Checker ", "checkDate": " 2024-02-29", "revision": "123456789012345678901234"})"));
    EXPECT_EQ(in.input.checker, "A. Checker");
    EXPECT_EQ(in.input.checkDate, "2024-02-29");
    EXPECT_EQ(in.input.revision, "12345678901234567890");
    in = read(*ok(R"({"checkDate": ""})"));
    EXPECT_EQ(in.input.checkDate, "");
    // the aggregate size: 16 mm unless given, and written back under its name
    EXPECT_EQ(in.input.dg, 16);
    in = read(*ok(R"({"dg": 32})"));
    EXPECT_EQ(in.input.dg, 32);
    EXPECT_EQ(cli::projectToJson(in.input)["dg"].get<double>(), 32);
}

struct WrongField {
    const char* json;
    const char* says;
};

class JsonInputRefuses : public testing::TestWithParam<WrongField> {};

TEST_P(JsonInputRefuses, NamingTheField)
{
    const Result<cli::JsonInput> read = cli::inputFromJson(*ok(GetParam().json));
    ASSERT_FALSE(read);
    const std::string& err = read.failure().detail;
    EXPECT_NE(err.find(GetParam().says), std::string::npos) << err;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, JsonInputRefuses,
    testing::Values(WrongField{R"({"n1": 4.0})", "\"n1\" must be an integer, not the number 4"},
                    WrongField{R"({"n2": 1e10})", "\"n2\" must be an integer"},
                    WrongField{R"({"n2": 2147483648})", "not the number 2147483648"},
                    WrongField{R"({"n1": -2147483649})", "not the number -2147483649"},
                    WrongField{R"({"n1": 18446744073709551615})", "\"n1\" must be an integer"},
                    WrongField{R"({"h": "310"})", "\"h\" must be a number, not a string"},
                    WrongField{R"({"dg": "16"})", "\"dg\" must be a number, not a string"},
                    WrongField{R"({"height": 310})", "unknown field \"height\""},
                    WrongField{R"({"autoReduce": 1})", "\"autoReduce\" must be true or false"},
                    WrongField{R"({"comment": null})", "\"comment\" must be a string, not null"},
                    WrongField{R"({"e1": [1]})", "not an array"}, WrongField{R"([1])", "must be a JSON object"},
                    WrongField{R"({"checkDate": "2023-02-29"})", "\"checkDate\" must be a date written YYYY-MM-DD"},
                    WrongField{R"({"checkDate": 20231101})", "\"checkDate\" must be a string, not a number"}));

// qeln-cli hands the project to its PDF writer; the writer must design the
// very same project, or the report would not be the run's.
TEST(PdfRequest, CarriesTheProjectExactly)
{
    cli::PdfRequest r;
    ColumnInput& in = r.input;
    in.projectName = "Stütze \"B 7\"\n\t\x01 😀";
    in.comment = std::string(100000, 'c') + "\xFF\xFE";   // not UTF-8: passes byte for byte
    in.profileName = "welded 500x300";
    in.h = 0.1 + 0.2;
    in.b = 1.0 / 3.0;
    in.tw = 4.9e-324;
    in.tf = -0.0;
    in.createdOn = 45123.456789012345;
    in.lastUpdated = 1e300;
    in.n1 = INT_MIN;
    in.n2 = INT_MAX;
    in.movrixAvailable = true;
    in.autoReduce = false;
    in.e1 = -123.456;
    r.language = Language::German;
    r.condensed = true;
    r.printedAt = "2026-12-06 18:00:00";
    r.path = "/tmp/a b/ä.pdf";

    const auto decoded = cli::decodePdfRequest(cli::encodePdfRequest(r));
    ASSERT_TRUE(decoded) << decoded.failure().detail;
    const cli::PdfRequest& back = *decoded;
    EXPECT_TRUE(back.input == r.input);
    EXPECT_EQ(std::signbit(back.input.tf), true);
    EXPECT_EQ(back.language, Language::German);
    EXPECT_TRUE(back.condensed);
    EXPECT_EQ(back.printedAt, r.printedAt);
    EXPECT_EQ(back.path, r.path);

    EXPECT_FALSE(cli::decodePdfRequest(""));
    EXPECT_FALSE(cli::decodePdfRequest(cli::encodePdfRequest(r).substr(0, 50)));
}
