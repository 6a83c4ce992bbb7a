// The strict JSON reader and writer of the batch command line.
#include "input_json.h"
#include "json.h"

#include <gtest/gtest.h>

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
    EXPECT_TRUE(v.has_value()) << text << ": " << e.message;
    return v;
}

std::string bad(const std::string& text)
{
    ParseError e;
    auto v = parse(text, e);
    EXPECT_FALSE(v.has_value()) << text;
    return e.message;
}

} // namespace

TEST(JsonParse, ValuesOfEveryKind)
{
    auto v = ok(R"( {"a": [1, -2.5e3, 0, true, false, null], "b": {"c": "x"}, "d": -0.25} )");
    ASSERT_TRUE(v->isObject());
    const Value* a = v->find("a");
    ASSERT_TRUE(a && a->isArray());
    ASSERT_EQ(a->items().size(), 6u);
    EXPECT_EQ(a->items()[0].number(), 1);
    EXPECT_TRUE(a->items()[0].integerLiteral());
    EXPECT_EQ(a->items()[1].number(), -2500);
    EXPECT_FALSE(a->items()[1].integerLiteral());
    EXPECT_TRUE(a->items()[3].boolean());
    EXPECT_TRUE(a->items()[5].isNull());
    EXPECT_EQ(v->find("b")->find("c")->string(), "x");
    EXPECT_EQ(v->find("d")->number(), -0.25);
    EXPECT_EQ(v->find("zz"), nullptr);
}

TEST(JsonParse, StringEscapes)
{
    auto v = ok(R"("q\" b\\ s\/ \b\f\n\r\t \u00e9 \u20AC \ud83d\ude00")");
    EXPECT_EQ(v->string(), "q\" b\\ s/ \b\f\n\r\t \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80");
    EXPECT_EQ(ok("\"Stütze\"")->string(), "Stütze");
}

TEST(JsonParse, RefusesWhatIsNotStrictJson)
{
    bad("");
    bad("{} x");
    bad("{\"a\":1,\"a\":2}");
    bad("NaN");
    bad("-Infinity");
    bad("[Infinity]");
    bad("1e400");
    bad("01");
    bad("1.");
    bad(".5");
    bad("+1");
    bad("[1,]");
    bad("{\"a\":1,}");
    bad("{a:1}");
    bad("'x'");
    bad("\"tab\there\"");
    bad("\"\\x\"");
    bad("\"\\ud83d\"");
    bad("\"\\ude00\"");
    bad("\"\\u12\"");
    bad("\"\xC3\"");
    bad("\"\xED\xA0\x80\"");   // encoded surrogate
    bad("\"open");
    bad("tru");
    bad("\xEF\xBB\xBF{}");
    EXPECT_EQ(ok("1e-400")->number(), 0);
}

TEST(JsonParse, DepthLimit)
{
    std::string deep(kMaxDepth, '[');
    deep += std::string(kMaxDepth, ']');
    ok(deep);
    std::string tooDeep(kMaxDepth + 1, '[');
    tooDeep += std::string(kMaxDepth + 1, ']');
    EXPECT_NE(bad(tooDeep).find("nesting"), std::string::npos);
    bad(std::string(100000, '['));
}

TEST(JsonParse, ErrorPosition)
{
    ParseError e;
    EXPECT_FALSE(parse("{\n  \"a\": 1,\n  \"a\": 2\n}", e));
    EXPECT_EQ(e.line, 3u);
    EXPECT_EQ(e.column, 3u);
    EXPECT_NE(e.message.find("duplicate"), std::string::npos);
}

TEST(JsonWrite, NumbersRoundTripAndNeverNaN)
{
    for (double v : {0.1, 5061.019751012565, 1e-300, -123456.789, 1.0 / 3.0, 4.9e-324}) {
        auto back = ok(numberText(v));
        EXPECT_EQ(back->number(), v);
    }
    EXPECT_EQ(numberText(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(numberText(std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(numberText(3), "3");
}

TEST(JsonWrite, WriterOutputParsesBack)
{
    Writer w;
    w.beginObject();
    w.key("s");
    w.string("a\"b\\c\n\x01 \xC3\xA9 \xFF");
    w.key("list");
    w.stringArray({"x", "", "y"});
    w.key("n");
    w.optionalNumber(std::nullopt);
    w.key("nested");
    w.beginArray();
    w.beginArray();
    w.endArray();
    w.boolean(true);
    w.integer(-4);
    w.endArray();
    w.endObject();
    auto v = ok(w.text());
    EXPECT_EQ(v->find("s")->string(), "a\"b\\c\n\x01 \xC3\xA9 \xEF\xBF\xBD");
    EXPECT_EQ(v->find("list")->items().size(), 3u);
    EXPECT_TRUE(v->find("n")->isNull());
    EXPECT_EQ(v->find("nested")->items()[2].number(), -4);
}

TEST(JsonInput, FieldsDefaultsAndTypes)
{
    cli::JsonInput in;
    std::string err;
    ASSERT_TRUE(cli::inputFromJson(*ok(R"({"n1": 8, "e1": -50, "autoReduce": false, "projectName": "P"})"), in, err))
        << err;
    EXPECT_EQ(in.input.n1, 8);
    EXPECT_EQ(in.input.e1, -50);
    EXPECT_FALSE(in.input.autoReduce);
    EXPECT_EQ(in.input.projectName, "P");
    EXPECT_EQ(in.input.fck, 30);
    EXPECT_FALSE(in.sectionComplete);

    ASSERT_TRUE(cli::inputFromJson(*ok(R"({"h":1,"b":2,"tw":3,"tf":4,"r":5})"), in, err));
    EXPECT_TRUE(in.sectionComplete);
    EXPECT_FALSE(in.input.movrixAvailable);

    EXPECT_FALSE(cli::inputFromJson(*ok(R"({"n1": 4.0})"), in, err));
    EXPECT_NE(err.find("n1"), std::string::npos);
    EXPECT_FALSE(cli::inputFromJson(*ok(R"({"h": "310"})"), in, err));
    EXPECT_NE(err.find("\"h\""), std::string::npos);
    EXPECT_FALSE(cli::inputFromJson(*ok(R"({"height": 310})"), in, err));
    EXPECT_NE(err.find("unknown field \"height\""), std::string::npos);
    EXPECT_FALSE(cli::inputFromJson(*ok(R"({"autoReduce": 1})"), in, err));
    EXPECT_FALSE(cli::inputFromJson(*ok(R"({"n2": 1e10})"), in, err));
    EXPECT_FALSE(cli::inputFromJson(*ok(R"([1])"), in, err));
    EXPECT_FALSE(cli::inputFromJson(*ok(R"({"comment": null})"), in, err));

    ASSERT_TRUE(cli::inputFromJson(*ok(R"({"projectCode": "123456789012345678901234"})"), in, err));
    EXPECT_EQ(in.input.projectCode, "12345678901234567890");
}
