#pragma once

#include "db/session.h"
#include "reports/report.h"

#include <QString>

namespace reportfixtures {

// tests/reports/fixtures/<name>
QString fixturePath(const QString& name);
QString readFixture(const QString& name);

// T_FATURA (one invoice) and T_FATURA_SATIR (its lines in three groups).
void createInvoiceTables(db::Session& s);
// "fana" and "fdetay" over those tables, defined (not opened) by `owner`.
void defineInvoiceDatasets(reports::Report& r, const QString& owner);

// T_RAPOR: `rows` rows in five departments (ordered by department), with
// amounts that are not round.
void createLedgerTable(db::Session& s, int rows);

}  // namespace reportfixtures
