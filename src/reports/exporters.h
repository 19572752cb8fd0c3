#pragma once

#include "reports/page_model.h"

#include <QString>
#include <vector>

class QPrinter;

// Phase two of rendering: pages -> PDF, a printer, or a spreadsheet.
namespace reports {

bool writePdf(const Document& doc, const QString& path, QString* error = nullptr);
// Prints the pages the printer's page ranges select (all when none).
bool printDocument(const Document& doc, QPrinter& printer, QString* error = nullptr);

// The report as a grid for spreadsheets: every printed band becomes one row
// per line of objects, every object a cell in the column of its left edge.
// Page headers print once, page footers and repeated headers not at all.
struct SheetCell {
    QString text;
    QVariant value;  // raw value of a lone field
    QString format;
    bool bold = false;
    Qt::Alignment align = Qt::AlignLeft;
};
struct Sheet {
    std::vector<std::vector<SheetCell>> rows;  // cells by column (empty text: none)
    std::vector<double> columnWidths;          // mm
};
Sheet sheetOf(const Document& doc);

bool writeXlsx(const Document& doc, const QString& path, QString* error = nullptr);
// Semicolon-separated, UTF-8 with a byte-order mark (what Turkish Excel opens).
bool writeCsv(const Document& doc, const QString& path, QString* error = nullptr);

// By the file's suffix: .pdf, .xlsx or .csv.
bool writeFile(const Document& doc, const QString& path, QString* error = nullptr);

}  // namespace reports
