#pragma once
// Index.c: the code bytes of the character list, in list order, as one C array named Index.

#include "output/outputdirectory.h"

#include <QString>

#include <string>

inline const QString IndexFileName = QStringLiteral("Index.c");

// The whole file: "unsigned char Index[]={" CR LF, then every byte as 0xHH with a comma after all
// but the last, two spaces after every second byte and CR LF after every tenth, then "};" with no
// line end. Bytes are taken as they are, one-byte characters included.
std::string IndexTableText(const std::string &list);

enum class IndexTableResult { Written, EmptyList, Failed };

// Writes Index.c into the output directory (nothing for an empty list); path receives where.
IndexTableResult WriteIndexTable(const std::string &list, OutputDirectory &output, QString *path, Failure *failure);
