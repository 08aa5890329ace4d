#include "skin/skinproblems.h"

namespace zn::skin {
namespace {

std::string n(std::int64_t v) { return std::to_string(v); }

}  // namespace

std::string configTooLarge(long long size) {
    return "Configuration file (Config.ini) is too large (" + n(size) + " bytes; the limit is " +
           n(static_cast<std::int64_t>(kMaxIniBytes)) + " bytes).";
}

std::string configUnreadable(std::string_view reason) {
    return "Configuration file (Config.ini) cannot be read: " + std::string(reason) + ".";
}

std::string configUnparsable(std::string_view reason) { return std::string(reason) + "."; }

std::string sectionAndKey(const Problem& p) { return "[" + p.section + "] " + p.key; }

std::string outOfRangeLine(const Problem& p, std::string_view what) {
    return std::string(what) + " " + n(p.value) + " is out of range (" + n(p.low) + ".." + n(p.high) + "); " +
           n(p.used) + " is used instead.";
}

std::string gameExtentLine(const Problem& p) { return outOfRangeLine(p, p.key); }

std::string extentLine(const Problem& p) { return outOfRangeLine(p, sectionAndKey(p)); }

std::string positionLine(const Problem& p) {
    return sectionAndKey(p) + " puts the image at " + n(p.value) + ", out of range (" + n(p.low) + ".." +
           n(p.high) + "); " + n(p.used) + " is used instead.";
}

std::string colourLine(const Problem& p) { return notAnInteger(p.text) + " (" + sectionAndKey(p) + ")"; }

std::vector<std::string> boxLines(const std::vector<std::string>& problems) {
    if (problems.size() <= static_cast<std::size_t>(kMaxReportedProblems)) return problems;
    std::vector<std::string> shown(problems.begin(), problems.begin() + kMaxReportedProblems);
    shown.push_back("... and " + n(static_cast<std::int64_t>(problems.size()) - kMaxReportedProblems) +
                    " more problems.");
    return shown;
}

}  // namespace zn::skin
