#include "document/shared_lists.h"

CAddressBook& Customers()
{
  static CAddressBook book;
  return book;
}

CNameList& Designers()
{
  static CNameList list;
  return list;
}
