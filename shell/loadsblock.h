// The optional [loads] block of the project file, after line 33:
//
//   [loads]
//   NEd=3000
//   NfiEd=1800
//   fireClass=R90
//
// It is written only when a design load or a fire class is given, so a
// project without loads is written byte for byte as before, and a reader that
// stops after line 33 still opens files with the block.
#pragma once

#include "calc/records.h"

#include "platform/failure.h"

#include <string>
#include <string_view>
#include <vector>

namespace qeln {

// The block's lines, each ended by CR LF; empty when no load and no class is given.
std::string LoadsBlockContent(const ColumnInput& in);

// Reads the block's lines, heading first (firstLine: the file's line number
// of lines[0]); the project file hands it the lines up to the next block's
// heading (projectfile.cpp). Empty lines are passed over; when the first other line is not
// "[loads]" the rest of the file is ignored, as before. Inside the block
// every line that is not empty must be NEd=, NfiEd= or fireClass= (each at
// most once) with a valid value. Returns false with the failure otherwise;
// `in` receives the values only on success.
bool ParseLoadsBlock(const std::vector<std::string_view>& lines, int firstLine, ColumnInput& in,
                     Failure& failure);

} // namespace qeln
