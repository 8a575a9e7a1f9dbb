#pragma once
// The customer book and the designer list that every open project of this
// copy of the program chooses from.

#include "storage/address_book.h"
#include "storage/name_list.h"

CAddressBook& Customers();
CNameList& Designers();
