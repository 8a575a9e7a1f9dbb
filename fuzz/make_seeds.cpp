// Writes the seed corpus of the fuzz targets with the program's own writers:
//   vantor-fuzz-seeds fuzz/corpus
// Project files of every version the reader knows (the serialise operations
// write the layout of the archive's version), customer books, designer lists
// and a few typed texts. Every project seed is read back before it is kept.

#include "model/project.h"
#include "storage/address_book.h"
#include "storage/byte_archive.h"
#include "storage/name_list.h"
#include "storage/project_file.h"
#include "storage/schedule_export.h"
#include "storage/volume_clipboard.h"
#include "text/units.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
bool Put(const fs::path& folder, const std::string& name, const std::string& bytes)
{
  fs::create_directories(folder);
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

// Two volumes with openings of every kind, notes and counts of every model.
void FillProject(CProject& p)
{
  p.mProject_Date = "03/14/25";
  p.mProject_Reference = "P-100";
  p.mProject_Designer = "Ren\xE9 Dupr\xE9";
  p.mDistributor = {"Acme Ltd", "1 High St", "Unit 2", "Leeds", "Yorks", "UK", "LS1 1AA"};
  p.mDistributor_Reference = "D-7";
  p.mCustomer = {"Caf\xE9 Nord", "Rue 5", "", "Lille", "", "France", "59000"};
  p.mCustomer_Reference = "C-9";
  p.mUnits = UNITS_IMPERIAL;
  p.mNotes = "Project notes\r\nsecond line";
  p.mIncludeNotes = true;
  p.mAreaTable.AddNew("Server room", 4);
  CArea& a = *p.mAreaTable.Find("Server room");
  a.mLength = 10.5;
  a.mWidth = 6.25;
  a.mHeight = 3.1;
  a.mVentTable.Add(VENT_WALL, SHAPE_CIRCULAR, 0.3, 0.3, 0.75);
  a.mVentTable.Add(VENT_CEILING, SHAPE_RECTANGULAR, 0.2, 0.1, 1.0);
  a.mVentTable.Add(VENT_FLOOR, SHAPE_RECTANGULAR, 0.4, 0.5, 0.0);
  a.mDevice = {1, 2, 3, 4, 5, 6, 7, 8};
  a.mNotes = "volume notes";
  a.mIncludeNotes = true;
  p.mAreaTable.AddNew("Archive", 9);
  CArea& b = *p.mAreaTable.Find("Archive");
  b.mLength = 4;
  b.mWidth = 3;
  b.mHeight = 12;
  p.RecalculateProject();
}

bool ProjectSeed(const fs::path& root, const CProject& p, std::uint32_t version, const std::string& name)
{
  CByteWriter writer;
  CByteArchive ar(writer, version);
  if (!SerializeProject(ar, const_cast<CProject&>(p)))
    return false;
  const std::string bytes = writer.TakeBytes();
  CProject check;
  std::string error;
  if (!ReadProjectFile(bytes, check, &error) || check.mVersion != version)
  {
    std::fprintf(stderr, "vantor-fuzz-seeds: %s does not read back: %s\n", name.c_str(), error.c_str());
    return false;
  }
  return Put(root / "project_file", name, bytes) && Put(root / "reports", name, bytes);
}
} // namespace

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: vantor-fuzz-seeds CORPUS_FOLDER\n");
    return 2;
  }
  const fs::path root = argv[1];
  bool ok = true;

  CProject full;
  FillProject(full);
  CProject empty;
  empty.mDistributor = {};
  for (std::uint32_t v = 0; v <= kCurrentFileVersion; ++v)
    ok = ProjectSeed(root, full, v, "v" + std::to_string(v) + ".ad") && ok;
  ok = ProjectSeed(root, empty, kCurrentFileVersion, "empty.ad") && ok;

  CAddressBook book;
  std::string bytes;
  ok = book.Encode(bytes) && Put(root / "customer_book", "empty.vtx", bytes) && ok;
  book.Put({"Acme Ltd", "1 High St", "Unit 2", "Leeds", "Yorks", "UK", "LS1 1AA"});
  book.Put({"Caf\xE9 Nord", "Rue 5", "", "Lille", "", "France", "59000"});
  book.Put({"Zed", "", "", "", "", "", ""});
  ok = book.Encode(bytes) && Put(root / "customer_book", "three.vtx", bytes) && ok;

  CNameList names;
  ok = names.Encode(bytes) && Put(root / "designer_list", "empty.vtx", bytes) && ok;
  names.Add("Jane Planner");
  names.Add("Ren\xE9 Dupr\xE9");
  names.Add("Zo\xEB");
  ok = names.Encode(bytes) && Put(root / "designer_list", "three.vtx", bytes) && ok;

  // The first byte chooses the unit system and the widths; then the text.
  const char* texts[] = {
    "\x00" "12.5 m",
    "\x01" " 12 ft ",
    "\x02" "3.5e2 Feet",
    "\x00" "-0",
    "\x01" "inf",
    "\x2A" "1e999 m",
    "\x05" "  Caf\xE9   Nord\t/x:y  ",
    "\x4A" "First line of notes\r\nsecond   line with a verylongwordthatdoesnotfit\r\n\r\n",
    "\x07" "{\\rtf1 \\par} \x81\x8D\xA0\xFF",
    "\x03" "..\\..\\name.ad",
    "\x09" "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xC0\x80",
  };
  for (std::size_t i = 0; i < sizeof texts / sizeof texts[0]; ++i)
  {
    // Each text literal begins with its parameter byte, which may be zero.
    const std::string text = std::string(1, texts[i][0]) + std::string(texts[i] + 1);
    ok = Put(root / "text", "text" + std::to_string(i + 1) + ".txt", text) && ok;
  }
  const double values[] = {0.3048, 1e308, 5e-324, -2.5};
  for (std::size_t i = 0; i < sizeof values / sizeof values[0]; ++i)
  {
    std::string text(1, '\x04');
    text.append(reinterpret_cast<const char*>(&values[i]), sizeof(double));
    ok = Put(root / "text", "double" + std::to_string(i + 1) + ".bin", text) && ok;
  }

  // Room schedules: the export of the full project, and one typed by hand in
  // mixed units with optional columns.
  ok = Put(root / "schedule", "export.csv", ScheduleCsv(full)) && ok;
  ok = Put(root / "schedule", "typed.csv",
           "Name,Hazard class,Length (ft),Width,Height,Openings,devices_500g,Notes\r\n"
           "Hall 1,CLASS A - SURFACE FIRES,60,12 m,3.5 m,wall 2 x 1.5 upper 40%; ceiling round 0.5,4,\r\n"
           "\"Store, east\",class b - jp4,20,10 ft,9,none,,\"two\r\nlines\"\r\n") && ok;

  // The clipboard's volumes: the first byte chooses the program's own form
  // (0) or a spreadsheet's rows (1).
  std::vector<CVolumeId> ids;
  for (std::size_t i = 0; i < full.mAreaTable.Count(); ++i)
    ids.push_back(full.mAreaTable.Get(i)->Id());
  ok = VolumesClipboardBytes(full, ids, bytes) &&
       Put(root / "volume_clipboard", "own.bin", std::string(1, '\0') + bytes) && ok;
  ok = Put(root / "volume_clipboard", "rows.txt", "\x01" + VolumesClipboardText(full, ids)) && ok;
  ok = Put(root / "volume_clipboard", "headerless.txt",
           "\x01Hall\tCLASS A - SURFACE FIRES\t10\t8\t3\twall 1 x 1\r\n"
           "Hall\tclass b - jp4\t4\t4\t4\tnone\t\t\t\t\t\t\t\t\t\t\t\t\t\t2\r\n") &&
       ok;
  return ok ? 0 : 1;
}
