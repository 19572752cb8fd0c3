#pragma once

#include "db/session.h"

namespace app {

// What the main window's dashboard reads when it is shown.
namespace dashboard {

// Open invoices of any kind.
db::RowSet openInvoices(db::Session& session);
// Accounts whose balance is not zero.
db::RowSet balances(db::Session& session);
// Per watched stock item and department, the items whose remaining quantity
// (in - out - waste) is below the item's minimum. Items that are sold
// products, or whose stock is not watched ("1"), never appear.
db::RowSet criticalStock(db::Session& session);
// Calendar events overlapping [from, to).
db::RowSet events(db::Session& session, const QDateTime& from, const QDateTime& to);

}  // namespace dashboard
}  // namespace app
