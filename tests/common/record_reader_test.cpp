#include "common/record_reader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <iterator>
#include <memory>
#include <random>

#include "platform/error.h"
#include "platform/fault_injection.h"
#include "platform/utf8.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4 {
namespace {

using testing::TempMachine;
using testing::WriteBytes;
using testing::WriteCp932;

class RecordReaderTest : public ::testing::Test {
 protected:
  RecordReaderTest() : s_(machine_.AddDrive(u'S')), reader_(machine_.fs()) {}

  // Reads every record of count fields and returns them.
  std::vector<std::vector<std::u16string>> ReadAll(const std::string& bytes, int count) {
    WriteBytes(s_ / "X.TXT", bytes);
    EXPECT_EQ(reader_.OpenRecordFile(u"S:\\x.txt"), 0);
    std::vector<std::vector<std::u16string>> records;
    for (;;) {
      reader_.ReadRecord(count, 2);
      if (reader_.RecordPos(2) == RecordReader::kEndOfData) {
        break;
      }
      std::vector<std::u16string> fields;
      for (int k = 1; k <= count; ++k) {
        fields.push_back(reader_.RecordField(k));
      }
      records.push_back(fields);
    }
    reader_.Close();
    return records;
  }

  TempMachine machine_;
  std::filesystem::path s_;
  RecordReader reader_;
};

using Records = std::vector<std::vector<std::u16string>>;

TEST_F(RecordReaderTest, EmptyAndMissingFilesGiveFlagOneAndStayAsTheyAre) {
  WriteBytes(s_ / "EMPTY.TXT", "");
  EXPECT_EQ(reader_.OpenRecordFile(u"S:\\EMPTY.TXT"), 1);
  EXPECT_TRUE(std::filesystem::exists(s_ / "EMPTY.TXT"));
  EXPECT_EQ(reader_.OpenRecordFile(u"S:\\MISSING.TXT"), 1);
  EXPECT_FALSE(std::filesystem::exists(s_ / "MISSING.TXT"));
#ifndef _WIN32
  // A link to a file that is not there (POSIX: links to files need a privilege on Windows).
  ASSERT_TRUE(testing::MakeFileLink("nowhere", s_ / "DANGLING.TXT"));
  EXPECT_EQ(reader_.OpenRecordFile(u"S:\\DANGLING.TXT"), 1);
#endif
  EXPECT_FALSE(reader_.IsOpen());
  reader_.ReadRecord(3, 0);  // closed: end of data at once
  EXPECT_EQ(reader_.RecordPos(0), RecordReader::kEndOfData);
}

// Only a missing file is missing: what is there but cannot be read is an error naming it.
TEST_F(RecordReaderTest, AFileThatIsThereButCannotBeReadIsAnError) {
  std::filesystem::create_directory(s_ / "FOLDER.TXT");
  WriteBytes(s_ / "LOCKED.TXT", "1,2,3\r\n");
  // Opening LOCKED.TXT fails as a file held by another program's lock would.
  machine_.fs().SetOperationHook(std::make_unique<platform::FaultInjection>(
      [](std::int64_t, platform::FileOperation operation, const std::filesystem::path& host) {
        return operation == platform::FileOperation::kOpen && host.filename() == "LOCKED.TXT"
                   ? EACCES
                   : 0;
      }));
  struct Case {
    const char16_t* path;
    platform::ErrorCause cause;
  };
  std::vector<Case> cases = {
      {u"S:\\FOLDER.TXT", platform::ErrorCause::kIsAFolder},
      {u"S:\\LOCKED.TXT", platform::ErrorCause::kAccessDenied},
  };
#ifndef _WIN32
  // A FIFO and a link in a loop: POSIX things (Windows's named pipes live outside the file
  // system, and a link to a file needs a privilege Windows users lack).
  ASSERT_TRUE(testing::MakeFifo(s_ / "FIFO.TXT"));
  ASSERT_TRUE(testing::MakeFileLink("LOOP.TXT", s_ / "LOOP.TXT"));
  cases.push_back({u"S:\\FIFO.TXT", platform::ErrorCause::kNotAFile});  // and no wait for a writer
  cases.push_back({u"S:\\LOOP.TXT", platform::ErrorCause::kLinkLoop});
#endif
  for (const Case& c : cases) {
    try {
      reader_.OpenRecordFile(c.path);
      ADD_FAILURE() << "no error for " << platform::ToUtf8(c.path);
    } catch (const platform::Error& error) {
      EXPECT_EQ(error.kind(), platform::ErrorKind::kRead);
      EXPECT_EQ(error.path(), c.path);
      EXPECT_EQ(error.cause(), c.cause) << error.what();
    }
    EXPECT_FALSE(reader_.IsOpen());
  }
}

#ifndef _WIN32
// A boring's file is never read through a link at its own name; the program's own tables ask to
// follow one. Links on the levels above are followed either way. (POSIX: links to files need a
// privilege on Windows.)
TEST_F(RecordReaderTest, ALinkAtTheFileItselfIsNotAnOrdinaryFileUnlessFollowed) {
  WriteBytes(s_ / "elsewhere" / "secret.txt", "key,1\r\n");
  std::filesystem::create_directory(s_ / "B");
  ASSERT_TRUE(testing::MakeFileLink(s_ / "elsewhere" / "secret.txt", s_ / "B" / "X4.TXT"));
  ASSERT_TRUE(testing::MakeFolderLink(s_ / "elsewhere", s_ / "ALIAS"));
  try {
    reader_.OpenRecordFile(u"S:\\B\\X4.TXT");
    ADD_FAILURE() << "the link was followed";
  } catch (const platform::Error& error) {
    EXPECT_EQ(error.kind(), platform::ErrorKind::kRead);
    EXPECT_EQ(error.path(), u"S:\\B\\X4.TXT");
    EXPECT_EQ(error.cause(), platform::ErrorCause::kNotAFile) << error.what();
  }
  EXPECT_FALSE(reader_.IsOpen());
  for (const auto& [path, link] :
       {std::pair{u"S:\\B\\X4.TXT", platform::LastLevelLink::kFollow},
        std::pair{u"S:\\ALIAS\\secret.txt", platform::LastLevelLink::kRefuse}}) {
    ASSERT_EQ(reader_.OpenRecordFile(path, link), 0) << platform::ToUtf8(path);
    reader_.ReadRecord(2, 1);
    EXPECT_EQ(reader_.RecordField(1), u"key");
    reader_.Close();
  }
}
#endif

TEST_F(RecordReaderTest, NoBytesFromMemoryAreAnEmptyFile) {
  EXPECT_EQ(reader_.OpenBytes(""), 1);
  EXPECT_FALSE(reader_.IsOpen());
  EXPECT_FALSE(reader_.HasData());
}

TEST_F(RecordReaderTest, OneByteFileOpensButHoldsNoRecord) {
  EXPECT_EQ(ReadAll("1", 3), Records{});
}

TEST_F(RecordReaderTest, FieldsAndRecordsAsTheRulesSay) {
  struct Case {
    std::string bytes;
    int count;
    Records records;
  } const cases[] = {
      {"1,2,3\r\n", 3, {{u"1", u"2", u"3"}}},
      {"1,2,3", 3, {{u"1", u"2", u"3"}}},
      // Records are not tied to lines; the last one ends early and keeps earlier fields.
      {"1,2,3\r\n4,5,6\r\n7,8,9\r\n",
       4,
       {{u"1", u"2", u"3", u"4"}, {u"5", u"6", u"7", u"8"}, {u"9", u"6", u"7", u"8"}}},
      {"1,2\r\n3,4\r\n", 4, {{u"1", u"2", u"3", u"4"}}},
      {"  \"a,b\" ,c\r\n", 2, {{u"a,b", u"c"}}},
      {"\"q\"tail,x\n", 2, {{u"q", u"x"}}},
      // Trailing blanks kept; the final CR LF is two unread bytes, so one more record starts.
      {"a ,\tb\rc\nd,\r\n", 4, {{u"a ", u"b", u"c", u"d"}, {u"", u"b", u"c", u"d"}}},
      {",,\r\n", 3, {{u"", u"", u""}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadAll(c.bytes, c.count), c.records) << c.bytes;
  }
}

// A field's text never holds a line end: inside quotes each CR LF, lone CR or lone LF is one
// blank, at any block size; outside quotes a line end ends the field as ever.
TEST_F(RecordReaderTest, LineEndsInsideQuotesAreOneBlankEach) {
  struct Case {
    std::string bytes;
    int count;
    Records records;
  } const cases[] = {
      {"1,0.60,\"AB\r\n  9,  99.99,\"X\"\r\n", 3, {{u"1", u"0.60", u"AB   9,  99.99,"}}},
      {"\"a\rb\",\"c\nd\"\r\n", 2, {{u"a b", u"c d"}}},
      {"\"\r\n\r\r\n\n\",x\r\n", 2, {{u"    ", u"x"}}},
      {"\"\n\r\",x\r\n", 2, {{u"  ", u"x"}}},
      {testing::Sjis(u"\"砂\r\n礫\",x\r\n"), 2, {{u"砂 礫", u"x"}}},
      // An unclosed quote runs to the end of the file.
      {"1,\"open\r\nto the end\r\n", 2, {{u"1", u"open to the end "}}},
      // Outside quotes nothing changes: a line end ends a field.
      {"a\rb\nc\r\nd\r\n", 4, {{u"a", u"b", u"c", u"d"}}},
  };
  for (const Case& c : cases) {
    WriteBytes(s_ / "X.TXT", c.bytes);
    for (const std::size_t block : {1, 2, 3, 64}) {
      RecordReader reader(machine_.fs(), block);
      ASSERT_EQ(reader.OpenRecordFile(u"S:\\X.TXT"), 0);
      Records records;
      for (;;) {
        reader.ReadRecord(c.count, 1);
        if (reader.RecordPos(1) == RecordReader::kEndOfData) {
          break;
        }
        records.emplace_back();
        for (int k = 1; k <= c.count; ++k) {
          records.back().push_back(reader.RecordField(k));
        }
      }
      EXPECT_EQ(records, c.records) << c.bytes << " block " << block;
    }
  }
  // Items of tables and settings files follow the same rule.
  WriteBytes(s_ / "L9.TXT", "1,\"a\r\nb\"\r\n");
  ASSERT_EQ(reader_.OpenRecordFile(u"S:\\L9.TXT"), 0);
  std::u16string item;
  ASSERT_TRUE(reader_.ReadItem(item));
  ASSERT_TRUE(reader_.ReadItem(item));
  EXPECT_EQ(item, u"a b");
}

TEST_F(RecordReaderTest, DecodesCp932FieldsAndReportsPositions) {
  WriteCp932(s_ / "X1.TXT", u"1,ソ表,\"砂,礫\"\r\n2,x,y\r\n");
  ASSERT_EQ(reader_.OpenRecordFile(u"S:\\X1.TXT"), 0);
  reader_.ReadRecord(3, 0);
  EXPECT_EQ(reader_.RecordPos(0), 1);
  EXPECT_EQ(reader_.RecordField(2), u"ソ表");
  EXPECT_EQ(reader_.RecordField(3), u"砂,礫");
  reader_.ReadRecord(3, 0);
  EXPECT_EQ(reader_.RecordPos(0), 17);
  reader_.ReadRecord(3, 0);
  EXPECT_EQ(reader_.RecordPos(0), RecordReader::kEndOfData);
}

TEST_F(RecordReaderTest, FieldsPastTheEndKeepTheirPreviousText) {
  WriteBytes(s_ / "X.TXT", "a,b,c\r\nd");
  ASSERT_EQ(reader_.OpenRecordFile(u"S:\\X.TXT"), 0);
  reader_.ReadRecord(3, 1);
  reader_.ReadRecord(3, 1);  // "d" is a single byte: no record
  EXPECT_EQ(reader_.RecordPos(1), RecordReader::kEndOfData);
  WriteBytes(s_ / "Y.TXT", "de");
  ASSERT_EQ(reader_.OpenRecordFile(u"S:\\Y.TXT"), 0);
  reader_.ReadRecord(3, 1);
  EXPECT_EQ(reader_.RecordPos(1), 1);
  EXPECT_EQ(reader_.RecordField(1), u"de");
  EXPECT_EQ(reader_.RecordField(2), u"b");
  EXPECT_EQ(reader_.RecordField(3), u"c");
}

TEST_F(RecordReaderTest, AFieldNoRecordReachedIsEmpty) {
  WriteBytes(s_ / "X.TXT", "a,b\r\n");
  ASSERT_EQ(reader_.OpenRecordFile(u"S:\\X.TXT"), 0);
  reader_.ReadRecord(2, 1);
  EXPECT_EQ(reader_.RecordField(2), u"b");
  WriteBytes(s_ / "Y.TXT", "c\r\n");
  ASSERT_EQ(reader_.OpenRecordFile(u"S:\\Y.TXT"), 0);
  reader_.ReadRecord(3, 1);  // ends after one field: 2 keeps "b", 3 was never read
  EXPECT_EQ(reader_.RecordField(2), u"b");
  EXPECT_EQ(reader_.RecordField(3), u"");
}

TEST_F(RecordReaderTest, ReadsLinesUntilFewerThanTwoBytesRemain) {
  WriteBytes(s_ / "T.TXT", "first\r\nsecond\rthird\nx");
  ASSERT_EQ(reader_.OpenRecordFile(u"S:\\T.TXT"), 0);
  std::vector<std::u16string> lines;
  while (reader_.HasData()) {
    lines.push_back(reader_.ReadLine());
  }
  EXPECT_EQ(lines, (std::vector<std::u16string>{u"first", u"second", u"third"}));
}

// What a reader delivers from what open(reader) opens: every record's position and fields,
// read with a count that changes from record to record, then the lines.
template <typename Open>
std::vector<std::u16string> ReadEverythingOf(RecordReader& reader, Open open) {
  std::vector<std::u16string> out;
  EXPECT_EQ(open(reader), 0);
  for (int count = 1;; count = count % 7 + 1) {
    reader.ReadRecord(count, 3);
    out.push_back(u"@" + std::u16string(1, static_cast<char16_t>(reader.RecordPos(3) & 0xFFFF)));
    if (reader.RecordPos(3) == RecordReader::kEndOfData) {
      break;
    }
    for (int k = 1; k <= count; ++k) {
      out.push_back(reader.RecordField(k));
    }
  }
  EXPECT_EQ(open(reader), 0);
  while (reader.HasData()) {
    out.push_back(reader.ReadLine());
  }
  reader.Close();
  return out;
}

std::vector<std::u16string> ReadEverything(RecordReader& reader, std::u16string_view path) {
  return ReadEverythingOf(reader, [path](RecordReader& r) { return r.OpenRecordFile(path); });
}

// A file of random pieces: fields, quotes, line ends and double-byte characters that blocks of
// any size will cut, and fields longer than a small block.
std::string RandomRecordFile(std::mt19937& random) {
  const std::string pieces[] = {",",
                                ",",
                                ",",
                                "\r\n",
                                "\r",
                                "\n",
                                "\"",
                                "  ",
                                "\t",
                                "1.25",
                                "abc",
                                "\x8d\xbb",
                                "\x83\x56\x83\x8b\x83\x67",
                                "\x81",
                                "\xa0",
                                "\"q,\"x",
                                std::string(200, 'L')};
  std::string bytes;
  const int length = 1 + static_cast<int>(random() % 300);
  for (int i = 0; i < length; ++i) {
    bytes += pieces[random() % std::size(pieces)];
  }
  return bytes;
}

// The file is read a block at a time: fields, quotes, line ends and double-byte characters cut
// by a block's end, and fields longer than a block, read as when the file is read at once.
TEST_F(RecordReaderTest, BlockBoundariesChangeNothing) {
  std::mt19937 random(7);
  for (int file = 0; file < 40; ++file) {
    const std::string bytes = RandomRecordFile(random);
    WriteBytes(s_ / "X.TXT", bytes);
    RecordReader whole(machine_.fs(), 1 << 20);
    const std::vector<std::u16string> expected = ReadEverything(whole, u"S:\\X.TXT");
    for (const std::size_t block : {1, 2, 3, 5, 64}) {
      RecordReader reader(machine_.fs(), block);
      EXPECT_EQ(ReadEverything(reader, u"S:\\X.TXT"), expected) << "block " << block;
    }
    // The same bytes given from memory read as the file does, at a block size that would
    // otherwise make the reader read on.
    RecordReader from_bytes(machine_.fs(), 2);
    EXPECT_EQ(ReadEverythingOf(from_bytes, [&](RecordReader& r) { return r.OpenBytes(bytes); }),
              expected);
  }
}

// A field is decoded when it is first asked for, which may be long after its record was read:
// after more records with fewer fields, after the data ended inside a record, after the file was
// closed and another one opened. It then holds what it held when its record was read, which a
// reader that looks at every field at once shows.
TEST_F(RecordReaderTest, FieldsAskedForLateHoldWhatTheirRecordGaveThem) {
  constexpr int kLooked = 12;
  std::mt19937 random(11);
  for (int file = 0; file < 60; ++file) {
    WriteBytes(s_ / "X.TXT", RandomRecordFile(random));
    WriteBytes(s_ / "Y.TXT", RandomRecordFile(random));
    const std::size_t block = std::size_t{1} << (file % 7);
    RecordReader lazy(machine_.fs(), block);
    RecordReader eager(machine_.fs(), 1 << 20);
    for (const char16_t* path : {u"S:\\X.TXT", u"S:\\Y.TXT"}) {
      ASSERT_EQ(lazy.OpenRecordFile(path), 0);
      ASSERT_EQ(eager.OpenRecordFile(path), 0);
      for (;;) {
        const int count = 1 + static_cast<int>(random() % 9);
        lazy.ReadRecord(count, 1);
        eager.ReadRecord(count, 1);
        ASSERT_EQ(lazy.RecordPos(1), eager.RecordPos(1));
        std::vector<std::u16string> fields;
        for (int k = 1; k <= kLooked; ++k) {
          fields.push_back(eager.RecordField(k));
        }
        for (int asked = static_cast<int>(random() % 3); asked > 0; --asked) {
          const int k = 1 + static_cast<int>(random() % kLooked);
          ASSERT_EQ(lazy.RecordField(k), fields[k - 1]) << "block " << block << " field " << k;
        }
        if (lazy.RecordPos(1) == RecordReader::kEndOfData) {
          break;
        }
      }
      // Most of the last records' fields were never asked for; the file goes, they stay.
      lazy.Close();
      eager.Close();
    }
    for (int k = 1; k <= kLooked; ++k) {
      EXPECT_EQ(lazy.RecordField(k), eager.RecordField(k)) << "block " << block << " field " << k;
    }
  }
}

}  // namespace
}  // namespace qe2m4
