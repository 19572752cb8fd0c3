#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariant>

// Reads an .xlsx back in tests: a small zip reader (stored and deflated
// entries, through zlib) and the first worksheet's cells with their shared
// strings. Cells are keyed "A1", "B7", ...; numbers come back as double.
namespace xlsxreader {

QByteArray zipEntry(const QString& zipFile, const QString& entry, QString* error = nullptr);
QMap<QString, QVariant> readCells(const QString& xlsxFile, QString* error = nullptr);

}  // namespace xlsxreader
