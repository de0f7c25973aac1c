#pragma once

#include <string_view>

#include "batch/batch_list.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::batch {

// The borings of an archive: every folder at or below source_root that holds a non-empty
// X1.TXT, found by a walk that does not follow links, in sorted order (a folder before the
// folders inside it). Each goes to destination_root plus the same relative levels, so
// S:\ARCHIVE\A1234\B\C goes to D:\TYUJYOU\A1234\B\C for the roots S:\ARCHIVE and D:\TYUJYOU.
// Entries are numbered from 1 in that order.
BatchList FindTreeBorings(const platform::FileSystem& file_system, std::u16string_view source_root,
                          std::u16string_view destination_root);

}  // namespace qe2m4::batch
