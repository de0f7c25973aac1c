#pragma once

#include <functional>
#include <string_view>

#include "batch/batch_list.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::batch {

// The borings of an archive: every folder at or below source_root that holds a non-empty
// X1.TXT, found by a walk that does not follow links, in the order Explorer lists folders
// (NaturalCompare: "No.2" before "No.10"; a folder before the folders inside it). Each goes to
// destination_root plus the same relative levels, so S:\ARCHIVE\A1234\B\C goes to
// D:\TYUJYOU\A1234\B\C for the roots S:\ARCHIVE and D:\TYUJYOU. Entries are numbered from 1 in that
// order.
//
// A folder whose name cannot be one level of a path ("x\..\..\y", "..", a name holding a
// control character) is never joined into a path nor walked into: it is an entry of its own that
// is refused, naming it. A folder that cannot be read is an entry that failed, and the walk goes
// on beside it. Both have no destination. A level whose stored name is not the host form of its
// text (a CP932 name) is created in the destination under the same stored name. stop_requested
// (when given) is asked before each folder; once it says yes the walk throws
// platform::Interrupted.
BatchList FindTreeBorings(const platform::FileSystem& file_system, std::u16string_view source_root,
                          std::u16string_view destination_root,
                          const std::function<bool()>& stop_requested = {});

}  // namespace qe2m4::batch
