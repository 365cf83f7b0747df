// The key = value text format shared by settings.cfg, theme.cfg and the string table.
#pragma once

#include <string>
#include <string_view>

#include "core/calc/file_ops.h"

namespace tv {

class HashTable;
class MessageBox;

// Empties the table and reads the file into it (UTF-8 or Windows-1250). True when the whole file
// was read; false when it is missing or empty, or an entry could not be stored (a duplicate or
// empty key: the box, when given, says why). Entries read before a failure stay.
bool readConfig(HashTable& table, const std::string& path, MessageBox* box = nullptr);
// The same over text already in memory (the bytes of a file).
bool parseConfig(HashTable& table, std::string_view bytes, MessageBox* box = nullptr);

// Replaces the file with the table, in Windows-1250. Formatted: a header, keys padded to the
// longest, numbers and booleans bare. Plain: every value quoted, no header, no padding.
bool writeConfig(const HashTable& table, const std::string& path, bool formatted = true,
                 FileOps& ops = systemFileOps());
// The bytes writeConfig writes (UTF-8, before the conversion).
std::string formatConfig(const HashTable& table, bool formatted);

// Whether the writer leaves a value bare: "true"/"false" in any case, or a number that reads
// back as the same text.
bool isBareConfigValue(std::string_view value);

}  // namespace tv
