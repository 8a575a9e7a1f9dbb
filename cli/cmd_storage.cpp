// The commands over the project file: dump, check and upgrade.

#include "cli/commands.h"
#include "storage/project_file.h"

#include "document/project_document.h"
#include "model/area.h"
#include "model/device_model.h"
#include "model/hazard_class.h"
#include "model/project.h"
#include "model/text_lines.h"
#include "report/data_dump.h"
#include "text/charset.h"
#include "text/number_format.h"
#include "text/printf.h"
#include "text/units.h"

#include <cstdio>
#include <string>

namespace
{
std::string Labels(std::uint32_t flags)
{
  CTextLines labels;
  if (!ErrorLabels(flags, labels))
    return "NO ERRORS";
  std::string text;
  for (const std::string& label : labels)
    text += (text.empty() ? "" : ", ") + label;
  return text;
}
} // namespace

bool OpenProjectFile(const std::string& path, CProject& project)
{
  project.SetName(FileTitle(path));
  const std::string keptPath = project.mPath;
  project.mPath = path;
  std::string error;
  if (!LoadProject(project, &error))
  {
    Complain(error);
    return false;
  }
  project.mPath = keptPath;
  return true;
}

bool OpenForChange(CProjectDocument& document, const std::string& path, bool mayBeNew)
{
  CProject& project = document.Project();
  project.SetName(FileTitle(path));
  project.mPath = path;
  std::string error;
  if (!document.OpenForChange(mayBeNew, &error))
  {
    Complain(error);
    return false;
  }
  return true;
}

int RunProjectText(const CArgs& args, std::string (*text)(const CProject& project))
{
  if (args.size() != 1 || IsOption(args[0]))
    return UsageError();
  CProject project;
  if (!OpenProjectFile(args[0], project))
    return 1;
  return WriteStdout(text(project)) ? 0 : 1;
}

int RunDump(const CArgs& args)
{
  return RunProjectText(args, DumpText);
}

int RunCheck(const CArgs& args)
{
  if (args.size() != 1 || IsOption(args[0]))
    return UsageError();
  CProject project;
  if (!OpenProjectFile(args[0], project))
    return 1;
  const UnitSystem units = project.mUnits < UnitSystemCount ? project.mUnits : UNITS_METRIC;
  std::string out = FormatC("Project \"%s\": %u volume%s\n", project.mName.c_str(),
                            static_cast<unsigned>(project.mAreaTable.Count()),
                            project.mAreaTable.Count() == 1 ? "" : "s");
  std::size_t withErrors = 0;
  std::size_t belowUL = 0;
  for (std::size_t i = 0; i < project.mAreaTable.Count(); ++i)
  {
    const CArea& a = *project.mAreaTable.Get(i);
    CTextLines labels;
    const bool hasErrors = ErrorLabels(a.mFlags, labels);
    const bool below = (a.mWarnings & AW_BELOW_UL_DENSITY) != 0;
    withErrors += hasErrors ? 1 : 0;
    belowUL += below ? 1 : 0;
    const double selected = ActualMass(a.mDevice);
    out += "\n" + VolumeTitle(a) + "\n";
    out += "  hazard class:  " + (IsValidHazard(a.mHazard) ? HazardName(a.mHazard) : std::string("INVALID")) + "\n";
    out += "  volume:        " +
           ((a.mFlags & AF_SIZE_OUT_OF_RANGE) ? std::string("INVALID")
                                              : FormatMeasure(a.mVolume, units, 3)) +
           "\n";
    out += "  required mass: " +
           ((a.mFlags & AF_CREQ_VALID) ? FormatMass(a.mMassRequired) : std::string("INVALID")) + "\n";
    out += "  selected mass: " + FormatMass(selected) + "\n";
    out += "  errors:        " + Labels(a.mFlags) + "\n";
    std::string ul;
    if (!(a.mFlags & AF_CREQ_VALID))
      ul = "not tested";
    else
    {
      ul = FormatC("%s (%s selected, minimum %s", below ? "BELOW UL MINIMUM" : "met",
                   FormatDensity(a.mVolume > 0 ? selected / a.mVolume : 0).c_str(),
                   FormatDensity(ULMinimumDensity(a.mHazard)).c_str());
      // What the selection would need: the least mass that passes the test.
      if (below)
        ul += "; " + FormatMass(ULMinimumMass(a.mVolume, a.mHazard)) + " would meet it";
      ul += ")";
    }
    out += "  UL minimum:    " + ul + "\n";
  }
  out += FormatC("\n%u with errors, %u below the UL minimum\n", static_cast<unsigned>(withErrors),
                 static_cast<unsigned>(belowUL));
  // Names and texts are Windows-1252; the terminal reads UTF-8.
  if (!WriteStdout(Cp1252ToUtf8(out)))
    return 1;
  return withErrors == 0 && belowUL == 0 ? 0 : 3;
}

int RunUpgrade(const CArgs& args)
{
  if (args.empty())
    return UsageError();
  for (const std::string& arg : args)
    if (IsOption(arg))
      return UsageError();
  int status = 0;
  for (const std::string& path : args)
  {
    // Opened for change as the desktop program opens it: not under a
    // running copy of the program, whose next save would undo the upgrade
    // or be refused, and marked as in use until rewritten; the rewrite
    // replaces only the file read here.
    CProjectDocument document;
    if (!OpenForChange(document, path, false))
    {
      status = 1;
      continue;
    }
    const std::uint32_t version = document.Project().mVersion;
    if (version == kCurrentFileVersion)
    {
      WriteStdout(FormatC("%s: version %u already, left as it is\n", path.c_str(), version));
      continue;
    }
    std::string error;
    if (!document.Save(&error))
    {
      Complain(error);
      status = 1;
      continue;
    }
    WriteStdout(FormatC("%s: version %u rewritten as version %u\n", path.c_str(), version,
                        kCurrentFileVersion));
  }
  return status;
}
