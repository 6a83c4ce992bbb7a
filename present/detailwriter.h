// The lines of a details block, for every method: each value line has the
// label in 40 characters, the value in 8 (%.4g), the unit in 5 and the
// clause; a value that is not finite is left blank.
#pragma once

#include "format.h"
#include "results.h"
#include "textenv.h"

#include <cmath>
#include <string>
#include <utility>

namespace qeln {

class DetailWriter {
public:
    DetailWriter(const TextEnv& env, MessageList& out) : env_(env), out_(out) {}

    std::string text(int id) const { return env_.text(id); }
    std::string text(int id, const std::string& arg) const { return withArguments(env_.text(id), {arg}); }

    // "EN 1994-1-1, 6.7.3.2(1)"
    static std::string clause(const char* part, const char* number)
    {
        std::string s = part;
        s.append(", ").append(number);
        return s;
    }
    // "EN 1994-1-1, Table 6.5" in the language of the listing
    std::string table(const char* part, const char* number) const
    {
        std::string s = part;
        s.append(", ").append(text(kTableText, number));
        return s;
    }

    void line(std::string s) { out_.add(std::move(s)); }
    // an indented line without a value
    void sub(const std::string& s)
    {
        std::string l = "  ";
        l.append(s);
        out_.add(std::move(l));
    }
    void end() { out_.add(" "); }

    void value(const std::string& label, double v, const char* unit, const std::string& where)
    {
        out_.add(Printf("  %-40s : %8s %-5s  %s", {label, number(v), unit, where}, env_.decimalSeparator));
    }
    void word(const std::string& label, const std::string& v, const std::string& where)
    {
        out_.add(Printf("  %-40s : %8s %-5s  %s", {label, v, "", where}, env_.decimalSeparator));
    }
    // A point of the interaction curve: N and M.
    void point(const std::string& label, double N, double M, const std::string& where)
    {
        out_.add(Printf("  %-40s : %8s kN    %8s kNm  %s", {label, number(N), number(M), where},
                        env_.decimalSeparator));
    }
    // the formula of the value line above, whose clause it shares
    void formula(const std::string& label, const std::string& f)
    {
        out_.add(Printf("  %-40s : %s", {label, f}, env_.decimalSeparator));
    }
    void formula(const std::string& label, const std::string& f, const std::string& where)
    {
        out_.add(Printf("  %-40s : %s  %s", {label, f, where}, env_.decimalSeparator));
    }

private:
    static constexpr int kTableText = 1606;   // "Table %1"

    std::string number(double v) const
    {
        return std::isfinite(v) ? Printf("%.4g", {v}, env_.decimalSeparator) : std::string();
    }

    const TextEnv& env_;
    MessageList& out_;
};

} // namespace qeln
