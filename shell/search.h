// The section search: the lightest catalogue profile and rebars that carry
// the project's design loads. Every candidate is a numbers-only design run of
// the project with the candidate's profile, diameter and layout; a candidate
// passes when its bars keep the clear spacing of EN 1992-1-1, 8.2(2) for the
// project's aggregate size, its input checks give no error, its run is valid
// and its design check passes.
#pragma once

#include "present/checktext.h"
#include "calc/records.h"
#include "catalogue/profiles.h"
#include "calc/section.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qeln {

// The profile families of the catalogue, in its order.
inline const std::vector<std::string>& profileFamilies()
{
    static const std::vector<std::string> f{"IPE", "HE A", "HE AA", "HE B", "HE M", "HL", "HD", "HP", "W"};
    return f;
}

// The family of a profile name: its first word, and for "HE" profiles also
// the last ("HE 320 A" -> "HE A", "HE 100 AA" -> "HE AA"). Blanks around the
// name do not count.
std::string profileFamily(std::string_view profileName);

// A catalogue row as the search sees it: the row and its place in the
// catalogue's display order (0 first).
struct SearchProfile {
    SteelProfile profile;
    int displayOrder = 0;
};

// Every row of the catalogue that is not deleted, in its order (whatever
// filter the browser has set).
std::vector<SearchProfile> searchProfiles(const ProfileCatalogue& cat);

struct RebarChoice {
    int n1 = 4, n2 = 0;
    bool operator==(const RebarChoice&) const = default;
};

inline const std::vector<double>& defaultSearchDiameters()
{
    static const std::vector<double> d{12, 14, 16, 20, 25, 28, 32};
    return d;
}
inline const std::vector<RebarChoice>& defaultSearchLayouts()
{
    static const std::vector<RebarChoice> l{{4, 0}, {8, 0}, {4, 4}, {8, 4}};
    return l;
}

// How the search ranks the passing candidates: by the steel mass of the
// profile per metre, or by the cost per metre of steel, bars and concrete.
enum class SearchRank { mass, cost };

// Unit prices for the ranking by cost, in any one currency: structural
// steel and reinforcing steel per kg, concrete per m3.
struct UnitPrices {
    double steel = 2.0, rebars = 1.5, concrete = 150;
    bool operator==(const UnitPrices&) const = default;
};
// Each price at least 0 and at most 1e6.
bool usablePrices(const UnitPrices& p);
// The cost per metre of a column: steel and bars in kg/m, concrete in m3/m.
double costPerMetre(const ComponentMasses& m, const UnitPrices& p);

// "mass" or "cost"; false for any other text.
bool parseSearchRank(std::string_view text, SearchRank& out);
const char* searchRankText(SearchRank r);

struct SearchConstraints {
    std::vector<std::string> families;   // empty: every family
    std::optional<double> maxH, maxB;    // mm
    std::vector<double> diameters = defaultSearchDiameters();
    std::vector<RebarChoice> layouts = defaultSearchLayouts();
    // the target utilisation: a candidate passes when each given check's
    // utilisation is at most this (above 0, at most 1)
    double maxUtilisation = 1.0;
    SearchRank rank = SearchRank::mass;
    UnitPrices prices;
    bool operator==(const SearchConstraints&) const = default;
};

// A target utilisation the search takes: above 0 and at most 1.
bool usableUtilisationTarget(double u);

// Whether a passing check keeps to the target: its utilisations at normal
// temperature and in fire, where given, are at most `target`.
bool withinUtilisationTarget(const DesignCheck& check, double target);

// A diameter (mm) and a layout the search takes: above 0 and at most 100;
// n1, n2 from 0 to 100, not both 0.
bool usableDiameter(double d);
bool usableLayout(const RebarChoice& l);

// The most diameters or layouts a search takes (each list), so that a
// search stays a matter of seconds.
inline constexpr std::size_t kMaxSearchListItems = 100;

// Lists as a user types them: numbers or layouts n1+n2 separated by commas,
// semicolons or blanks ("12, 14 16", "4+0; 8+4"). False for an empty list
// an item that is no such value, or more than kMaxSearchListItems items (the
// output then holds nothing useful). `bad`, when given, receives the first
// item that is no such value ("" when the list is empty or too long).
bool parseDiameterList(std::string_view text, std::vector<double>& out, std::string* bad = nullptr);
bool parseLayoutList(std::string_view text, std::vector<RebarChoice>& out, std::string* bad = nullptr);
// Profile families separated by commas ("HE A, HE B"), each one of
// profileFamilies(), blanks around it ignored; false with the first item
// that is none (an empty one too) in `bad`.
bool parseFamilyList(std::string_view text, std::vector<std::string>& out, std::string* bad = nullptr);
// The lists as parseDiameterList / parseLayoutList read them: "12, 14, 16", "4+0, 8+4".
std::string diameterListText(const std::vector<double>& d);
std::string layoutListText(const std::vector<RebarChoice>& l);

// Why the search cannot start for this input and these constraints: a code
// and, for the command line, an English text. none: it can start.
enum class SearchProblem {
    none,
    noLoads,           // neither N.Ed nor N.fi,Ed with a fire class given (text 1260)
    noDiameters,       // an empty or unusable diameter list (text 1261)
    noLayouts,         // an empty or unusable layout list (text 1262)
};
SearchProblem searchProblem(const ColumnInput& base, const SearchConstraints& c);
const char* searchProblemText(SearchProblem p);
int searchProblemTextId(SearchProblem p);

// One passing candidate.
struct SearchCandidate {
    int profile = 0;        // index into the profiles handed to the search
    std::string profileName;
    Section section;
    int displayOrder = 0;
    double d = 0;
    int n1 = 0, n2 = 0;
    double steelMass = 0;   // kg/m, the listing's "steel" component
    double rebarArea = 0;   // mm2
    double cost = 0;        // per metre, by the constraints' unit prices
    double rankKey = 0;     // what the ranking compares first: steelMass or cost
    DesignCheck check;
    // the other profiles of the catalogue with the same dimensions (HE 320 AA
    // and HD 320 x 74.2): the same candidate, shown once under both names
    std::vector<std::string> alsoNamed;

    // The input of the project with this candidate's profile and rebars.
    ColumnInput applyTo(const ColumnInput& base) const;
};

// The search's order: the rank key ascending (steel mass, or cost), then
// steel mass, rebar area, display order, d, n1, n2.
bool searchOrder(const SearchCandidate& a, const SearchCandidate& b);

// Why the candidates that do not pass fail, counted: an input check gives an
// error or a warning on the bars' clear spacing (or the run has no valid
// result), the required fire class lies
// outside the field of application or is not verified by the method, a
// resistance is too small, or the utilisation lies above the target.
struct SearchRejections {
    std::size_t input = 0, scope = 0, resistance = 0, target = 0;
    bool operator==(const SearchRejections&) const = default;
};

struct SearchOutcome {
    std::size_t evaluated = 0;   // candidates within the constraints
    std::size_t passing = 0;
    SearchRejections rejected;
    // with a required fire class: the smallest profile width the fire
    // buckling length allows within the field of application, mm, when it
    // asks for more than the class's smallest profile
    std::optional<double> fireLengthNeedsWidth;
    std::vector<SearchCandidate> candidates;   // the best SearchControl::keep passing ones, in the search's order
    bool cancelled = false;      // stopped by the cancel flag: the lists are incomplete
};

struct SearchControl {
    unsigned threads = 1;                        // 0: the hardware's cores
    const std::atomic<bool>* cancel = nullptr;   // set to stop
    std::size_t keep = 500;                      // passing candidates kept (the best); `passing` counts them all
    // done and total candidates; called from the calling thread only, now and then
    std::function<void(std::size_t done, std::size_t total)> progress;
};

// The profiles of `all` (in display order) that lie within the families and
// the maxima.
std::vector<SearchProfile> filterProfiles(const std::vector<SearchProfile>& all, const SearchConstraints& c);

// Runs the search over `profiles` (the catalogue's rows in display order;
// the constraints' families and maxima are applied here). The outcome is the
// same for any number of threads; a diameter or layout given twice counts
// once. Call only when searchProblem() is none. Throws what a worker
// thread threw (std::bad_alloc).
SearchOutcome searchSections(const ColumnInput& base, const std::vector<SearchProfile>& profiles,
                             const SearchConstraints& c, const SearchControl& control = {});

} // namespace qeln
