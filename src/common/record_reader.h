#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/drive_path.h"
#include "platform/input_file.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4 {

// Reads the source product's comma-separated record files (X1.TXT, CNT.TXT, ...) one record of
// a fixed number of fields at a time.
//
// Field rules: blanks (spaces, tabs) before a field are skipped; a field that begins with a
// double quote runs to the next double quote (the quotes are not part of it, and it may hold
// commas) and whatever follows it up to the next comma or line end is skipped; any other field
// runs to the next comma or line end and keeps its trailing blanks. CR LF, a lone CR and a lone
// LF each end a line. Records are not tied to lines: a record is simply the next count fields.
// A field's text never holds a line end: each one inside quotes (CR LF, CR or LF) is given as
// one blank, so that no output written from fields gains a line, and with it a record, that the
// source did not have.
//
// The file is read a block at a time, so memory does not grow with its length (a field longer
// than a block is held whole); the file itself is never changed. A record's fields are cut on
// the bytes and stay where they are in the buffer; a field is decoded only when it is asked for,
// since converters look at few of the many fields of a measurement record.
class RecordReader {
 public:
  static constexpr std::int64_t kEndOfData = -999;
  static constexpr int kSlots = 101;
  static constexpr int kMaxFields = 100;
  static constexpr std::size_t kBlockSize = 64 * 1024;

  // block_size: the bytes read from the file at a time (tests use tiny blocks).
  explicit RecordReader(const platform::FileSystem& file_system,
                        std::size_t block_size = kBlockSize);

  // Opens a file that exists and holds at least one byte, and returns 0. Returns 1 and leaves
  // the reader closed when the file is missing or empty; nothing is created or deleted either
  // way. Throws platform::Error naming the file and the reason when something is there that
  // is not an ordinary file or cannot be read. The files of a boring are never read through a
  // symbolic link at their own name (an archive from elsewhere could lead the run to any file
  // of the machine): such a link is not an ordinary file. The program's own tables and
  // settings pass kFollow; a link that leads nowhere is a missing file either way.
  int OpenRecordFile(std::u16string_view path,
                     platform::LastLevelLink link = platform::LastLevelLink::kRefuse);
  int OpenRecordFile(const platform::DrivePath& path,
                     platform::LastLevelLink link = platform::LastLevelLink::kRefuse);
  // Reads bytes already in memory as the file's whole content (a settings file read once for
  // its checks); 1 and closed when there are none, as for an empty file.
  int OpenBytes(std::string bytes);
  bool IsOpen() const { return open_; }
  void Close();

  // Reads the next count fields (1..100) into RecordField(1..count) and the 1-based position
  // at which the record began into RecordPos(slot). When fewer than two unread bytes remain,
  // or the reader is closed, RecordPos(slot) becomes kEndOfData and nothing is read. When the
  // data end inside a record, the fields left unread keep their previous texts. A file that
  // cannot be read on (an I/O error after it was opened) throws platform::Error.
  void ReadRecord(int count, int slot);

  // Reads the next item (one field) with the field rules, whatever the end test of
  // ReadRecord would say: tables and settings files are read item by item, and their last item
  // may be a single byte. False, with item unchanged, when no item is left.
  bool ReadItem(std::u16string& item);

  // Line reading: true while the position of the next byte (from 1) is below the length, so a
  // last line of a single byte without a line end counts as no data.
  bool HasData() { return open_ && Available(2) >= 2; }
  // The next line without its line end.
  std::u16string ReadLine();

  const std::u16string& RecordField(int k) const {
    if (!decoded_.at(k)) {
      DecodeField(k);
    }
    return record_field_[k];
  }
  std::int64_t RecordPos(int slot) const { return record_pos_.at(slot); }
  void SetRecordPos(int slot, std::int64_t value) { record_pos_.at(slot) = value; }

 private:
  // Where a field's bytes are: a file position (from 0) and a length; quoted fields alone can
  // hold line ends.
  struct FieldBytes {
    std::int64_t position = 0;
    std::size_t length = 0;
    bool quoted = false;
  };
  // Cuts the field at p when it and the byte that ends it (and after a CR the byte that may
  // complete CR LF) lie before end, moving p past it; false, with p unchanged, when end comes
  // first. base is the file position of begin; *end is a line end (Fill keeps one there).
  static bool CutFieldAt(const char* begin, const char* end, std::int64_t base, const char*& p,
                         FieldBytes& field);
  // Cuts the next field; false (and nothing consumed) at the end of the data.
  bool CutField(FieldBytes& field) { return CutBufferedField(field) || CutFieldReadingOn(field); }
  // The short way, when the field and the byte that ends it are already in the buffer, as
  // nearly all are; false, with nothing consumed, when the buffer ends first.
  bool CutBufferedField(FieldBytes& field);
  // Cuts fields first..count the short way while they lie in the buffer; the number of the
  // first field not cut.
  int CutBufferedFields(int first, int count);
  // The general way, reading on across blocks and ending the data at the end of the file.
  bool CutFieldReadingOn(FieldBytes& field);
  void DecodeField(int k) const;
  template <typename Path>
  int Open(const Path& path, platform::LastLevelLink link);
  void SkipLineEnd();
  // Decodes the fields from `first` on that have not been decoded yet, so that their texts stay
  // when their bytes leave the buffer; from then on no bytes are kept for them.
  void DecodePendingFields(int first = 1);

  // Reads more of the file behind the unread bytes, keeping them; false at the end of the file.
  bool Fill();
  // The number of unread bytes in the buffer after reading until there are at least n, or the
  // file ends.
  std::size_t Available(std::size_t n);
  // Consumes the bytes for which skip() holds, up to the first one for which it does not.
  template <typename Skip>
  void SkipWhile(Skip skip);
  // The number of unread bytes before the first one for which stop() holds (all of them when
  // none does), read into the buffer behind the next unread byte.
  template <typename Stop>
  std::size_t LengthUntil(Stop stop);
  // Decodes the first length unread bytes into text and consumes them.
  void Take(std::size_t length, std::u16string& text);

  const platform::FileSystem& file_system_;
  const std::size_t block_size_;
  std::optional<platform::InputFile> input_;  // RecordInput
  std::size_t block_ = 0;                     // the bytes read at a time from this file
  std::string buffer_;                        // bytes of the file from position buffer_start_ on
  std::int64_t buffer_start_ = 0;             // the file position (from 0) of buffer_[0]
  // The bytes from this file position on stay in the buffer (-1: none need to): those of the
  // fields not decoded yet, which belong to the last record read or the one before it.
  std::int64_t kept_from_ = -1;
  std::int64_t last_record_ = -1;  // the file position where the last whole record began
  int pending_fields_ = 0;         // fields above this number are all decoded
  std::size_t next_ = 0;           // the next unread byte in buffer_
  std::size_t end_ = 0;            // the end of the bytes read into buffer_, a line end there
  bool at_end_ = false;            // the file's last byte has been read
  bool open_ = false;
  std::array<FieldBytes, kSlots> field_bytes_;
  // The texts of the fields, decoded when first asked for: decoded_[k] tells whether
  // record_field_[k] holds the text of field_bytes_[k].
  mutable std::array<std::u16string, kSlots> record_field_;
  mutable std::array<bool, kSlots> decoded_;
  std::array<std::int64_t, kSlots> record_pos_{};
};

}  // namespace qe2m4
