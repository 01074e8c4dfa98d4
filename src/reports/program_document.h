// The program document: for every analysed program unit and ENTRY name, in
// name order and each on pages of its own, its calling form, function type,
// argument count, an empty abstract to be filled in by hand, its relations
// and its argument list; then a page explaining the usage and type letters.
// The document is a listing of its own, with a narrower page frame than the
// analysis listing: 60 lines a page, a 70-character rule, and a section that
// runs off the page continued on the next one under the repeated title block
// and section heading.
#pragma once
#include <array>
#include <string_view>

#include "input/include_members.h"
#include "listing/listing.h"
#include "reports/report_options.h"
#include "structure/common_blocks.h"
#include "structure/program_table.h"

namespace ksfort {

// Writes the parts of the document that `parts` chooses (see DocumentParts)
// to `document`; nothing at all when both parts are off or the program table
// is empty. programName is the PGNAME option's 10 characters; date is the
// run's date as the title block shows it.
void printProgramDocument(Listing& document, std::string_view date, const DocumentParts& parts,
                          const ProgramStructure& structure, const CommonTables& commons,
                          const IncludeMembers& members, const std::array<char, 10>& programName);

}  // namespace ksfort
