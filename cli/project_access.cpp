#include "project_access.h"

#include "catalogue/fileio.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace qeln::cli {

std::optional<ProfileCatalogue> openCatalogue(const std::string& path, std::string& error)
{
    try {
        return ProfileCatalogue::open(path, "");
    } catch (const std::exception& e) {
        error = e.what();
        return std::nullopt;
    }
}

std::string programDirectory()
{
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return "./";
    std::string p(buf, static_cast<std::size_t>(n));
    const auto slash = p.rfind('/');
    return slash == std::string::npos ? std::string("./") : p.substr(0, slash + 1);
}

bool lookUpProfile(ProfileCatalogue& cat, ColumnInput& in, int languageBase, std::vector<std::string>& messages)
{
    RecordingSink sink;
    const bool found = cat.Profilsuchen(in.profileName, languageBase, &sink);
    messages.insert(messages.end(), sink.messages.begin(), sink.messages.end());
    if (const auto p = cat.current()) {
        in.h = p->h;
        in.b = p->b;
        in.tw = p->tw;
        in.tf = p->tf;
        in.r = p->r;
        in.movrixAvailable = p->movrix;
    }
    return found;
}

namespace {

// The project file's line reader: numbers skip blanks and empty lines in
// front of them and ignore the rest of their line; texts take their line.
class LineReader {
public:
    explicit LineReader(std::string text)
    {
        std::size_t pos = 0;
        while (pos < text.size()) {
            std::size_t end = text.find('\n', pos);
            if (end == std::string::npos)
                end = text.size();
            std::string line = text.substr(pos, end - pos);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines_.push_back(std::move(line));
            pos = end + 1;
        }
    }
    int line() const { return static_cast<int>(next_); }   // 1-based number of the line last read

    bool text(std::string& out, int maxLength)
    {
        if (next_ >= lines_.size())
            return false;
        out = maxLength > 0 ? cutText(lines_[next_], maxLength) : lines_[next_];
        ++next_;
        return true;
    }

    bool number(double& out)
    {
        while (next_ < lines_.size()) {
            const std::string& l = lines_[next_];
            std::size_t i = l.find_first_not_of(" \t");
            if (i == std::string::npos) {
                ++next_;
                continue;
            }
            const char* begin = l.c_str() + i;
            char* end = nullptr;
            errno = 0;
            const double v = std::strtod(begin, &end);
            ++next_;
            if (end == begin || !std::isfinite(v))
                return false;
            out = v;
            return true;
        }
        ++next_;
        return false;
    }

    bool integer(int& out)
    {
        double v = 0;
        if (!number(v) || v != std::floor(v) || std::fabs(v) > 2147483647.0)
            return false;
        out = static_cast<int>(v);
        return true;
    }

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

std::string realText(double v)
{
    // " 3.55000000000000E+0002": sign or blank, 15 significant digits, 4-digit exponent
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14E", std::fabs(v));
    std::string s = buf;
    const auto e = s.find('E');
    const int exponent = std::atoi(s.c_str() + e + 1);
    char exp[16];
    std::snprintf(exp, sizeof exp, "E%c%04d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return (std::signbit(v) && v != 0 ? "-" : " ") + s.substr(0, e) + exp;
}

} // namespace

bool readProject(const std::string& path, ColumnInput& in, FileFailure& failure)
{
    failure = FileFailure{};
    failure.file = path;
    std::string content, why;
    if (fileio::readWholeFile(path, content, why, 1u << 24) != fileio::ReadStatus::ok) {
        failure.textId = 514;
        failure.reason = why;
        return false;
    }
    LineReader rd(std::move(content));
    int version = 0;
    if (!rd.integer(version) || version != 971003) {
        failure.textId = 515;
        failure.line = 1;
        return false;
    }
    ColumnInput p = in;
    bool ok = rd.text(p.projectCode, kShortTextMax) && rd.text(p.projectName, kLongTextMax) &&
              rd.text(p.positionNumber, kShortTextMax) && rd.text(p.positionName, kLongTextMax) &&
              rd.text(p.office, kLongTextMax) && rd.text(p.author, kLongTextMax) && rd.text(p.comment, 0) &&
              rd.number(p.lastUpdated) && rd.number(p.createdOn) && rd.text(p.profileName, kShortTextMax) &&
              rd.number(p.d) && rd.integer(p.n1) && rd.integer(p.n2) && rd.number(p.uc1) && rd.number(p.uf1) &&
              rd.number(p.fy);
    int reduce = 0;
    ok = ok && rd.integer(reduce);
    p.autoReduce = reduce == 1;
    ok = ok && rd.number(p.fck) && rd.number(p.fsk) && rd.number(p.gammaA) && rd.number(p.gammaC) &&
         rd.number(p.gammaS) && rd.number(p.gammaAfi) && rd.number(p.gammaCfi) && rd.number(p.gammaSfi) &&
         rd.number(p.lWeakCold) && rd.number(p.lStrongCold) && rd.number(p.lWeakFire) && rd.number(p.lStrongFire) &&
         rd.number(p.e1) && rd.number(p.e2) && rd.number(p.pcp);
    if (!ok) {
        failure.textId = 514;
        failure.line = rd.line();
        failure.reason = "malformed or missing value";
        return false;
    }
    in = p;
    return true;
}

bool writeProject(const std::string& path, const ColumnInput& in, FileFailure& failure)
{
    failure = FileFailure{};
    failure.file = path;
    failure.textId = 516;
    std::ostringstream o;
    const auto line = [&](const std::string& s) { o << s << "\r\n"; };
    line("971003");
    line(in.projectCode);
    line(in.projectName);
    line(in.positionNumber);
    line(in.positionName);
    line(in.office);
    line(in.author);
    line(in.comment);
    line(realText(in.lastUpdated));
    line(realText(in.createdOn));
    line(in.profileName);
    line(realText(in.d));
    line(std::to_string(in.n1));
    line(std::to_string(in.n2));
    line(realText(in.uc1));
    line(realText(in.uf1));
    line(realText(in.fy));
    line(in.autoReduce ? "1" : "0");
    for (double v : {in.fck, in.fsk, in.gammaA, in.gammaC, in.gammaS, in.gammaAfi, in.gammaCfi, in.gammaSfi,
                     in.lWeakCold, in.lStrongCold, in.lWeakFire, in.lStrongFire, in.e1, in.e2, in.pcp})
        line(realText(v));

    // keep the previous file as "<name without extension>BAK"
    const auto slash = path.rfind('/');
    const auto dot = path.rfind('.');
    const std::string bak =
        (dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.substr(0, dot) : path) + "BAK";
    std::remove(bak.c_str());
    std::rename(path.c_str(), bak.c_str());

    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f) {
        failure.reason = std::strerror(errno);
        return false;
    }
    f << o.str();
    f.close();
    if (!f) {
        failure.reason = "the file could not be written completely";
        return false;
    }
    return true;
}

double currentDateTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // days from 1899-12-30 to the local civil date, plus the time of day
    long long y = local.tm_year + 1900;
    const unsigned m = static_cast<unsigned>(local.tm_mon + 1);
    const unsigned d = static_cast<unsigned>(local.tm_mday);
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long long daysSince1970 = era * 146097 + static_cast<long long>(doe) - 719468;
    const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    return static_cast<double>(daysSince1970 + 25569) + seconds / 86400.0;
}

} // namespace qeln::cli
