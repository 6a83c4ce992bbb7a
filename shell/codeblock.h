// The optional [code] block of the project file, after line 33: the design
// code and the inputs only the EN method reads, by their JSON names.
//
//   [code]
//   code=EN1994
//   phiT=2.5
//   rWeak=1
//   rStrong=-0.5
//
// It is written only for an EN project or when one of the values differs
// from its default, so an ENV project is written byte for byte as before. A
// file without the block is an ENV project.
#pragma once

#include "loadsblock.h"

#include "calc/records.h"

#include <string>
#include <string_view>
#include <vector>

namespace qeln {

// The block's lines, each ended by CR LF; empty for an ENV project with the defaults.
std::string CodeBlockContent(const ColumnInput& in);

// Reads the block, heading first (firstLine: the file's line number of
// lines[0]). Every line that is not empty must be one of code=, phiT=,
// rWeak=, rStrong= (each at most once) with a value of its field (numbers
// with a point). Returns false with the failure otherwise; `in` receives the
// values only on success.
bool ParseCodeBlock(const std::vector<std::string_view>& lines, int firstLine, ColumnInput& in,
                    Failure& failure);

// The optional [member] block, after the [code] block: the column as a member
// of the building, by the JSON names of its fields, written only when one of
// them differs from its default (a file without it has no member length, no
// end moments and no column line).
//
//   [member]
//   length=3.6
//   frame=braced
//   storey=intermediate
//   myTop=120
//   myBottom=-60
//   mzTop=0
//   mzBottom=0
//   myFiTop=0
//   myFiBottom=0
//   mzFiTop=0
//   mzFiBottom=0
//   line=A1
std::string MemberBlockContent(const ColumnInput& in);
bool ParseMemberBlock(const std::vector<std::string_view>& lines, int firstLine, ColumnInput& in,
                      Failure& failure);

// The optional [approval] block, after the [loads] block: who checked the
// calculation, when, and its revision, by their JSON names. The project file
// writes it only when one of them is given, in the character set of the
// file's texts (projectfile.h), and hands the reader its lines decoded.
//
//   [approval]
//   checker=B. Prüfer
//   checkDate=2026-11-03
//   revision=B
bool ParseApprovalBlock(const std::vector<std::string_view>& lines, int firstLine, ColumnInput& in,
                        Failure& failure);

// The optional [materials] block, after the [member] block: the materials'
// inputs the first 33 lines have no place for, by their JSON names, written
// only when one differs from its default (a file without it has a maximum
// aggregate size of 16 mm). A value outside the range the input checks
// take is read as it is: the checks name it.
//
//   [materials]
//   dg=32
std::string MaterialsBlockContent(const ColumnInput& in);
bool ParseMaterialsBlock(const std::vector<std::string_view>& lines, int firstLine, ColumnInput& in,
                         Failure& failure);

} // namespace qeln
