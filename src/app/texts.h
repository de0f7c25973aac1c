#pragma once

#include <string_view>

// Every text the user sees, exactly as the users know them, character for character
// (full-width and half-width forms and blanks included).
namespace qe2m4::app::texts {

// The window's caption; message boxes without a title of their own carry it too.
inline constexpr std::u16string_view kApplicationTitle = u"Holtvar_Qe -> M4 変換プログラム";
// Start-up found no pattern-data folder (the text begins with a blank).
inline constexpr std::u16string_view kNoPatternFolder = u" PATDAT の設定がありません.";
// The chosen destination drive has no \TYUJYOU folder (the text begins with a blank).
inline constexpr std::u16string_view kNoTyujyouFolder =
    u" ＫｉｒｖａｎＭ４のﾌｫﾙﾀﾞ（\\TYUJYOU）がありません.";
// A path whose second character is not ":".
inline constexpr std::u16string_view kBadDriveName =
    u"規定値のドライブ名が正しくありません。ドライブ名は１文字のアルファベットと \":\" "
    u"でなければいけません。  例 \"C:\", \"D:\"...";
// M1: a path was rejected.
inline constexpr std::u16string_view kBadPath = u"指定されたパスは正しくありません。";
// M2: the destination text ends with "\".
inline constexpr std::u16string_view kTrailingSeparator = u"最後のﾌｫﾙﾀﾞに「￥」は要りません。";
// M3: the source has no X1.txt, or an empty one.
inline constexpr std::u16string_view kNoData = u"データがありません。";
// M4: destination folders are missing.
inline constexpr std::u16string_view kCreateFolders = u"ﾌｫﾙﾀﾞがありません。新規作成しますか？";
// The status line while a conversion runs (the blank in the middle is full-width).
inline constexpr std::u16string_view kBusy = u"只今変換中！　しばらくお待ちください。";
// The status line after a successful conversion.
inline constexpr std::u16string_view kSucceeded = u"変換が正常に終了しました。";
// First line of the message shown when a conversion fails part-way.
inline constexpr std::u16string_view kRunError = u"変換中にエラーが発生しました。";
// The destination names the source folder.
inline constexpr std::u16string_view kSameFolder = u"変換元と変換先に同じﾌｫﾙﾀﾞは指定できません。";
// Another run is writing the destination folder (another process, or another batch worker).
inline constexpr std::u16string_view kDestinationBusy =
    u"変換先ﾌｫﾙﾀﾞには、ほかの変換が書き込んでいます。終わってからやり直してください。";
// A run ended by Ctrl-C or a request to end the program.
inline constexpr std::u16string_view kInterrupted = u"変換を中断しました。";
// The progress dialog of the pattern-data search at start-up; the folder being searched follows.
inline constexpr std::u16string_view kSearchingPatternFolder = u"PATDAT ﾌｫﾙﾀﾞを検索しています...";
// Label2.
inline constexpr std::u16string_view kSourceLabel = u"変換元ﾌｫﾙﾀﾞ名 ：";
// Label1.
inline constexpr std::u16string_view kDestinationLabel = u"変換先ﾌｫﾙﾀﾞ名 ：";
// Frame2.
inline constexpr std::u16string_view kSourceFrame = u"変換元ﾌｫﾙﾀﾞ名選択";
// Frame1.
inline constexpr std::u16string_view kDestinationFrame = u"変換先ﾌｫﾙﾀﾞ名選択";
// Frame3.
inline constexpr std::u16string_view kMessageFrame = u"メッセージ";
// Command1 (two blanks).
inline constexpr std::u16string_view kExecute = u"実  行";
// Command2 (two blanks).
inline constexpr std::u16string_view kQuit = u"終  了";

// The command line's summary after a successful conversion: each file with its line count,
// then the layer descriptions to check.
inline constexpr std::u16string_view kSummaryLines = u"行";
inline constexpr std::u16string_view kSummaryUnmatched =
    u"主な土質が見つからなかった層の記述（X1.TXT の記録番号）：";
// The command line's answer to the folder-creation question when it cannot ask.
inline constexpr std::u16string_view kAnsweredNo = u"いいえ";

// What failed, by error kind: the second line of the run-error message.
inline constexpr std::u16string_view kErrorRead = u"ファイルを読み込めません。";
inline constexpr std::u16string_view kErrorWrite = u"ファイルを書き込めません。";
inline constexpr std::u16string_view kErrorCopy = u"ファイルをコピーできません。";
inline constexpr std::u16string_view kErrorDelete = u"ファイルを削除できません。";
inline constexpr std::u16string_view kErrorCreateFolder = u"ﾌｫﾙﾀﾞを作成できません。";
inline constexpr std::u16string_view kErrorNoDrive = u"ドライブを使用できません。";
inline constexpr std::u16string_view kErrorBadPath = u"パスが正しくありません。";
inline constexpr std::u16string_view kErrorShortFile = u"ファイルの項目が足りません。";
inline constexpr std::u16string_view kErrorOverflow = u"行数が上限を超えました。";

// Why it failed, for the common causes: the last line of the run-error message. Other causes
// are given in the system's own words.
inline constexpr std::u16string_view kCauseNotFound = u"ファイルが見つかりません。";
inline constexpr std::u16string_view kCauseAccessDenied = u"アクセスが拒否されました。";
inline constexpr std::u16string_view kCauseDiskFull = u"ディスクの空き領域が不足しています。";
inline constexpr std::u16string_view kCauseReadOnly = u"読み取り専用です。";
inline constexpr std::u16string_view kCauseNameTooLong = u"ファイル名が長すぎます。";
inline constexpr std::u16string_view kCauseInUse = u"ほかのプログラムが使用中です。";
inline constexpr std::u16string_view kCauseNotAFile = u"通常のファイルではありません。";
inline constexpr std::u16string_view kCauseIsAFolder = u"ファイルではなくﾌｫﾙﾀﾞです。";
inline constexpr std::u16string_view kCauseNotAFolder = u"ﾌｫﾙﾀﾞではなくファイルです。";
inline constexpr std::u16string_view kCauseLinkLoop = u"リンクが循環しています。";
inline constexpr std::u16string_view kCauseIoError = u"入出力エラーが発生しました。";
inline constexpr std::u16string_view kCauseFileTooLarge = u"ファイルが大きすぎます。";
inline constexpr std::u16string_view kCauseOutOfMemory = u"メモリが不足しています。";

// The command line's summary: outputs the run did not write, each with the reason.
inline constexpr std::u16string_view kSummaryNotWritten = u"書き込まなかったファイル：";
inline constexpr std::u16string_view kNotWrittenNoPatdatIni =
    u"Patdat32.ini がないか空のため、X6.TXT のデータは変換されませんでした。";
inline constexpr std::u16string_view kNotWrittenPatdatIniIgnored =
    u"Patdat32.ini が通常のファイルでないか 1 MB を超えるため読まず、X6.TXT のデータは"
    u"変換されませんでした。";

// Batch conversion: what happened to each boring, in the report and on the terminal.
inline constexpr std::u16string_view kBatchConverted = u"変換済";
inline constexpr std::u16string_view kBatchRefused = u"拒否";
inline constexpr std::u16string_view kBatchFailed = u"エラー";
inline constexpr std::u16string_view kBatchNotRun = u"未実行";
// A folder of a tree walk that is not converted: its name cannot be one level of a path (it
// holds "\", is "..", holds a control character ...), or it could not be read; the reason follows.
inline constexpr std::u16string_view kTreeBadFolderName =
    u"このﾌｫﾙﾀﾞ名はパスの一部にできないため、ﾌｫﾙﾀﾞとその中は変換しません。";
inline constexpr std::u16string_view kTreeUnreadableFolder =
    u"ﾌｫﾙﾀﾞの中を読み込めないため、その中は変換しません。";
// The report's header row, and that of its table of descriptions without a main soil.
inline constexpr std::u16string_view kReportColumns =
    u"行,変換元,変換先,結果,メッセージ,書き込んだファイル数,書き込んだ行数,"
    u"主な土質が見つからなかった層の記述,読み替えた層の数";
inline constexpr std::u16string_view kSoilColumns = u"記述,回数,ボーリング数,読み替え";
// The progress line: done/total, failures, borings per second, time left.
inline constexpr std::u16string_view kProgressFailed = u"失敗";
inline constexpr std::u16string_view kProgressRate = u"件/秒";
inline constexpr std::u16string_view kProgressLeft = u"残り";
// The batch's last lines: the counts, then the most frequent descriptions without a main soil.
inline constexpr std::u16string_view kSummaryBorings = u"件";
inline constexpr std::u16string_view kSummaryFiles = u"書き込んだファイル";
inline constexpr std::u16string_view kSummaryDescriptions =
    u"主な土質が見つからなかった層の記述（回数、ボーリング数）：";
inline constexpr std::u16string_view kSummaryKinds = u"種類";
// The list a batch read, with the encoding it was read in: "一覧：borings.csv（UTF-8）".
inline constexpr std::u16string_view kSummaryList = u"一覧：";
inline constexpr std::u16string_view kSummaryReport = u"報告：";

// The table of soil readings (土質名の読み替え表): the names of its two columns, which the batch's
// soil table carries too.
inline constexpr std::u16string_view kReadingsDescriptionColumn = u"記述";
inline constexpr std::u16string_view kReadingsReadingColumn = u"読み替え";
// The command line's summary: the layers the table read, before those without a main soil.
inline constexpr std::u16string_view kSummaryRead =
    u"土質名の読み替え表で読み替えた層（X1.TXT の記録番号）：";
// How many layers the table read ("土質名の読み替え表で読み替えた層：3 層"), in the window's notice
// and the batch's last lines.
inline constexpr std::u16string_view kReadCount = u"土質名の読み替え表で読み替えた層：";
inline constexpr std::u16string_view kReadCountUnit = u" 層";
// The last line of a list the window's notice cuts short ("ほか 5 件").
inline constexpr std::u16string_view kMoreBefore = u"ほか ";
inline constexpr std::u16string_view kMoreAfter = u" 件";
// The window's message when the table cannot be used; the file, then the line and the reason
// follow. The run does not start.
inline constexpr std::u16string_view kReadingsUnusable =
    u"土質名の読み替え表を使えないため、変換しませんでした。";
inline constexpr std::u16string_view kReadingsLine = u" 行目";
inline constexpr std::u16string_view kReadingsTooLarge = u"1 MB を超えるため読みません。";
inline constexpr std::u16string_view kReadingsBadText = u" の文字として読めない行です。";
inline constexpr std::u16string_view kReadingsBadQuote = u"引用符（\"）が閉じていません。";
inline constexpr std::u16string_view kReadingsColumnBefore = u"見出し行に「";
inline constexpr std::u16string_view kReadingsNoColumn = u"」の列がありません。";
inline constexpr std::u16string_view kReadingsTwoColumns = u"」の列が二つあります。";
inline constexpr std::u16string_view kReadingsTwoReadings = u"同じ記述に異なる読み替えがあります。";

}  // namespace qe2m4::app::texts
