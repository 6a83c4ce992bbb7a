// The dimensioned drawing of the section.
#pragma once

#include "textenv.h"
#include "picture.h"
#include "records.h"

#include <string>

namespace qeln {

struct SectionDrawing {
    std::string profileName;
    int AN1 = 4, AN2 = 0, AN3 = 0, AN4 = 0;
    double h = 0, b = 0, tw = 0, tf = 0, r = 0;
    double uf1 = 0, uc1 = 0, UC2 = 0;
    double dCalc = 0, d = 0;
    double UF1 = 0, UF2 = 0, UF3 = 0, UF4 = 0;
};

// Replaces the picture's content and size with the drawing of the section.
void DrawSection(const TextEnv& env, Picture& pic, const SectionDrawing& s);

// Throws CalculationError exactly where DrawSection would: a value that is
// not finite or a coordinate out of range. The texts play no part in that.
void checkDrawable(const SectionDrawing& s);

} // namespace qeln
