#include "storage/byte_archive.h"


bool CByteArchive::String(std::string& value, const char* what)
{
  if (mReader && !mComparing)
    return mReader->String(value, what);
  if (mReader)
  {
    bool same = false;
    return mReader->StringEquals(value, same, what) && Same(same);
  }
  // The field's full name is only needed for the message of a text too long.
  if (value.size() <= kMaxStoredChars)
    return mWriter->String(value, what);
  const std::string context = Context();
  return mWriter->String(value, (context.empty() ? std::string(what) : context + " " + what).c_str());
}

bool CByteArchive::Count(std::uint32_t& count, std::size_t minRecordBytes, const char* what)
{
  if (mWriter)
  {
    mWriter->U32(count);
    return true;
  }
  if (!mComparing)
    return mReader->Count(count, minRecordBytes, what);
  std::uint32_t stored = 0;
  return mReader->Count(stored, minRecordBytes, what) && Same(stored == count);
}

void CByteArchive::SetContext(std::string context)
{
  if (mReader)
    mReader->SetContext(std::move(context));
  else
    mContext = std::move(context);
}

std::string CByteArchive::ContextText() const
{
  std::string text;
  for (const CFrame& frame : mFrames)
  {
    if (!text.empty())
      text += ' ';
    text += frame.mLabel;
    if (frame.mNumber > 0)
      text += ' ' + std::to_string(frame.mNumber);
  }
  return text;
}

std::string CByteArchive::Context() const
{
  if (mReader)
    return mReader->FullContext();
  std::string context = mContext;
  const std::string nested = ContextText();
  if (!context.empty() && !nested.empty())
    context += ' ';
  return context + nested;
}

bool CByteArchive::Fail(const std::string& reason)
{
  return mReader ? mReader->Fail(reason) : false;
}

bool CByteArchive::Failed() const { return mWriter ? mWriter->Failed() : mReader->Failed(); }

std::string CByteArchive::Error() const { return mWriter ? mWriter->Error() : mReader->Error(); }
