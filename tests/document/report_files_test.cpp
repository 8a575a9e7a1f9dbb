#include "document/report_files.h"

#include "model/text_lines.h"
#include "report/data_dump.h"
#include "report/rtf_writer.h"
#include "report/resources.h"
#include "report/text_report.h"
#include "tests/common/file_bytes.h"
#include "tests/common/temp_folder.h"
#include "tests/report/report_cases.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace
{
class RtfFile : public TempFolderTest
{
protected:
  // Runs the independent reader in the folder (it puts pictures there) and
  // gives what it printed as plain text.
  std::string Unrtf(const fs::path& file) const
  {
    const std::string command = "cd '" + mDir.string() + "' && unrtf --text '" + file.string() +
                                "' 2>&1";
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r"))
    {
      char buffer[4096];
      std::size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
      EXPECT_EQ(::pclose(pipe), 0) << "unrtf failed (scripts/install-deps.sh installs it):\n" << out;
    }
    return out;
  }
};

// Runs of spaces as one space, none at either end: the reader does the same
// to the text it prints.
std::string Collapse(const std::string& text)
{
  std::string out;
  for (char c : text)
  {
    if (c == ' ' || c == '\t' || c == '\r')
    {
      if (!out.empty() && out.back() != ' ')
        out += ' ';
    }
    else
    {
      out += c;
    }
  }
  while (!out.empty() && out.back() == ' ')
    out.pop_back();
  return out;
}

std::vector<std::string> SplitAt(const std::string& text, const std::string& separator)
{
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(separator, start)) != std::string::npos;
       start = end + separator.size())
    lines.push_back(text.substr(start, end - start));
  if (start < text.size())
    lines.push_back(text.substr(start));
  return lines;
}

// Braces of the document, ignoring escaped ones: they must nest, with the
// whole document as the one outer group.
bool GroupsNest(const std::string& rtf)
{
  int depth = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i)
  {
    if (rtf[i] == '\\')
      ++i;
    else if (rtf[i] == '{')
      ++depth;
    else if (rtf[i] == '}' && --depth == 0 && rtf.find_first_not_of("\r\n", i + 1) != std::string::npos)
      return false;
  }
  return depth == 0;
}
} // namespace

TEST(RtfEscape, NoTextCanBecomeAControlWord)
{
  EXPECT_EQ(RtfEscape("plain text 1.5 m"), "plain text 1.5 m");
  EXPECT_EQ(RtfEscape("\\par{x}"), "\\\\par\\{x\\}");
  EXPECT_EQ(RtfEscape("caf\xE9 \x80\xFF"), "caf\\'e9 \\'80\\'ff");
  EXPECT_EQ(RtfEscape("a\tb"), "a\\tab b");
  EXPECT_EQ(RtfEscape(std::string("\x01\n\r\x7F", 4)), "\\'01\\'0a\\'0d\\'7f");
  EXPECT_EQ(RtfEscape(std::string(1, '\0')), "\\'00");
}

TEST(RtfDocument, FontPictureAndOneParagraphPerLine)
{
  CTextLines lines;
  lines.Add("first");
  lines.Add("");
  lines.Add("{third}");
  const unsigned char png[] = {0x89, 'P', 'N', 'G', 0x00, 0xAB};
  const std::string rtf = RtfDocument(png, 133, 25, lines);
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
  EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset0 Courier New;}}"), std::string::npos);
  // Paper and margins that leave 7 inches of line, more than 79 columns take.
  EXPECT_NE(rtf.find("\\paperw12240\\paperh15840\\margl1080\\margr1080"), std::string::npos);
  EXPECT_NE(rtf.find("\\qr\\f0\\fs18{\\pict\\pngblip\\picw133\\pich25\\picwgoal1995\\pichgoal375\r\n"
                     "89504e4700ab}\\par"),
            std::string::npos);
  EXPECT_NE(rtf.find("\\ql\\f0\\fs18 first\\par\r\n\\par\r\n\\{third\\}\\par\r\n}"), std::string::npos);
  EXPECT_TRUE(GroupsNest(rtf));
}

TEST(RtfDocument, HostileNamesKeepTheDocumentWhole)
{
  auto project = EmptyProject("x}}{\\rtf1\\b bold\\par");
  project->mIncludeNotes = true;
  project->mNotes = "}\\pict{";
  EXPECT_TRUE(GroupsNest(RtfReport(*project)));
}

TEST_F(RtfFile, ReaderFindsPictureAndEveryLineUnchanged)
{
  auto project = FullMetricCase();
  std::string path;
  std::string error;
  ASSERT_TRUE(CreateTextFileReport(*project, mDir.string(), path, &error)) << error;
  EXPECT_EQ(fs::path(path), mDir / "Data Centre \xC9" "ast.rtf");
  const std::string text = Unrtf(path);

  // The picture, byte for byte the embedded one.
  EXPECT_NE(text.find("picture dimensions are 133 by 25"), std::string::npos) << text;
  const std::span<const unsigned char> png = EmbeddedResource("report_small.png");
  ASSERT_FALSE(png.empty());
  EXPECT_EQ(ReadBytes(mDir / "pict001.png"), std::string(png.begin(), png.end()));

  // Every line of the text report, in order, as the reader prints it.
  std::vector<std::string> read;
  for (const std::string& line : SplitAt(text, "\n"))
    read.push_back(Collapse(line));
  std::size_t at = 0;
  for (const std::string& line : SplitAt(TextReport(*project), "\r\n"))
  {
    const std::string want = Collapse(line);
    if (want.empty())
      continue;
    while (at < read.size() && read[at] != want)
      ++at;
    ASSERT_LT(at, read.size()) << "line not found in order: " << want;
    ++at;
  }

  // Backslashes, braces and accented letters come back as typed.
  EXPECT_NE(text.find("see {drawing} \\\\srv\\plans\\dc-east."), std::string::npos);
  EXPECT_NE(text.find("Caf\xE9 area excluded."), std::string::npos);
}

TEST_F(RtfFile, CreatingAgainReplacesTheFileAndLeavesNothingElse)
{
  auto project = NewProjectCase();
  std::string path;
  ASSERT_TRUE(CreateTextFileReport(*project, mDir.string(), path, nullptr));
  EXPECT_TRUE(fs::path(path).is_absolute());
  project->mProject_Date = "12/31/99";
  ASSERT_TRUE(CreateTextFileReport(*project, mDir.string(), path, nullptr));
  EXPECT_NE(ReadBytes(path).find("12/31/99"), std::string::npos);
  EXPECT_EQ(FolderNames(mDir), std::vector<std::string>({"Warehouse 7.rtf"}));
  EXPECT_EQ(TextFileReportMessage(path),
            "The text file version of the report was created and saved as " + path + ".");
}

TEST_F(RtfFile, FailuresAreReportedAndWriteNothing)
{
  auto project = NewProjectCase();
  std::string path = "stale";
  std::string error;
  EXPECT_FALSE(CreateTextFileReport(*project, (mDir / "missing").string(), path, &error));
  EXPECT_EQ(path, "");
  EXPECT_FALSE(error.empty());

  for (const char* name : {"", "..", "a/b"})
  {
    project->mName = name;
    error.clear();
    EXPECT_FALSE(CreateTextFileReport(*project, mDir.string(), path, &error)) << name;
    EXPECT_FALSE(error.empty());
  }
  EXPECT_TRUE(fs::is_empty(mDir));
}

TEST(DataDump, WritesTheFileBesideTheProjectFile)
{
  const CTempFolder temp;
  const fs::path& dir = temp.Path();
  CProject p;
  p.SetName("Plant");
  p.mProject_Reference = "P-1";
  p.mPath = (dir / "Plant.ad").string();
  EXPECT_EQ(DumpFilePath(p), (dir / "Plant.dmp").string());
  std::ofstream(dir / "Plant.dmp") << "an older dump that is longer than the new one ............"
                                      "............................................................"
                                      "............................................................"
                                      "............................................................"
                                      "............................................................"
                                      "............................................................"
                                      "............................................................"
                                      "............................................................"
                                      "............................................................";
  std::string error;
  ASSERT_TRUE(DumpProject(p, &error)) << error;
  EXPECT_EQ(ReadBytes(dir / "Plant.dmp"), DumpText(p));
  p.mPath = (dir / "missing" / "Plant.ad").string();
  EXPECT_FALSE(DumpProject(p, &error));
  p.mPath = "Plant.ad";
  EXPECT_EQ(DumpFilePath(p), "Plant.dmp");
}
