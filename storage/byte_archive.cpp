#include "storage/byte_archive.h"

bool CByteArchive::U32(std::uint32_t& value, const char* what)
{
  if (mWriter)
  {
    mWriter->U32(value);
    return true;
  }
  return mReader->U32(value, what);
}

bool CByteArchive::I32(std::int32_t& value, const char* what)
{
  std::uint32_t bits = static_cast<std::uint32_t>(value);
  if (!U32(bits, what))
    return false;
  value = static_cast<std::int32_t>(bits);
  return true;
}

bool CByteArchive::Measure(double& value, const char* what)
{
  if (mWriter)
  {
    mWriter->F64(value);
    return true;
  }
  return mReader->FiniteF64(value, what);
}

bool CByteArchive::Bool(bool& value, const char* what)
{
  if (mWriter)
  {
    mWriter->Bool(value);
    return true;
  }
  return mReader->Bool(value, what);
}

bool CByteArchive::String(std::string& value, const char* what)
{
  if (mWriter)
    return mWriter->String(value, (mContext.empty() ? std::string(what) : mContext + " " + what).c_str());
  return mReader->String(value, what);
}

bool CByteArchive::Count(std::uint32_t& count, std::size_t minRecordBytes, const char* what)
{
  if (mWriter)
  {
    mWriter->U32(count);
    return true;
  }
  return mReader->Count(count, minRecordBytes, what);
}

void CByteArchive::SetContext(std::string context)
{
  if (mReader)
    mReader->SetContext(context);
  mContext = std::move(context);
}

bool CByteArchive::Fail(const std::string& reason)
{
  return mReader ? mReader->Fail(reason) : false;
}

bool CByteArchive::Failed() const { return mWriter ? mWriter->Failed() : mReader->Failed(); }

std::string CByteArchive::Error() const { return mWriter ? mWriter->Error() : mReader->Error(); }
