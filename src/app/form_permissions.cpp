#include "app/form_permissions.h"

#include "app/catalogue.h"
#include "app/permissions.h"

namespace app {

namespace {

// The master catalogue stores these two entries under node numbers of their own.
struct MasterNode {
    int node;
    int entry;
};
constexpr MasterNode kMasterNodes[] = {{520, 9520}, {521, 9521}};

int entryCodeOfNode(int node)
{
    for (const auto& m : kMasterNodes)
        if (node == m.node)
            return m.entry;
    return node;
}

std::optional<QString> categoryName(int number)
{
    for (const auto& [id, name] : categoryRows())
        if (id == number)
            return name;
    return std::nullopt;
}

// The categories the Light and Master sets start with.
const QList<int>& setCategories()
{
    static const QList<int> list{0, 1, 2, 8};
    return list;
}

}  // namespace

FormPermissions::FormPermissions(db::Session& session, QString user) : session_(session), user_(std::move(user)) {}

db::RowSet FormPermissions::masterRows()
{
    // Nodes 520 and 521 are listed where the entries they stand for belong.
    return session_.select(QStringLiteral("SELECT * FROM Q_frmmaster WHERE PR_INFO = :o "
                                          "ORDER BY CASE PR_ID WHEN 520 THEN 9520 WHEN 521 THEN 9521 ELSE PR_ID END"),
                           {{"o", QString::fromLatin1(kMasterCatalogueOwner)}});
}

db::RowSet FormPermissions::userRows()
{
    return session_.select(QStringLiteral("SELECT * FROM Q_FRM WHERE PR_INFO = :u ORDER BY PR_ID"), {{"u", user_}});
}

bool FormPermissions::has(int id)
{
    return session_
               .scalar(QStringLiteral("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = :u AND PR_ID = :id"),
                       {{"u", user_}, {"id", id}})
               .toInt() > 0;
}

void FormPermissions::insert(const PermissionGrant& g)
{
    if (g.parent)
        session_.exec(
            QStringLiteral("INSERT INTO Q_FRM (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (:id, :parent, :name, :u)"),
            {{"id", g.id}, {"parent", *g.parent}, {"name", g.name}, {"u", user_}});
    else
        session_.exec(QStringLiteral("INSERT INTO Q_FRM (PR_ID, PR_NAME, PR_INFO) VALUES (:id, :name, :u)"),
                      {{"id", g.id}, {"name", g.name}, {"u", user_}});
}

bool FormPermissions::grantCategoryRows()
{
    db::Transaction tx(session_);
    const bool hasStock =
        session_
            .scalar(QStringLiteral("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = :u AND PR_ID = 0 AND PR_NAME = :n"),
                    {{"u", user_}, {"n", QStringLiteral("Stok")}})
            .toInt() > 0;
    if (hasStock)
        return false;
    // Only the category rows the user lacks: a revoked "Stok" must not double
    // the others.
    bool added = false;
    for (const auto& [id, name] : categoryRows()) {
        const bool exists =
            session_
                .scalar(QStringLiteral(
                            "SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = :u AND PR_ID = :id AND PR_PARENT IS NULL"),
                        {{"u", user_}, {"id", id}})
                .toInt() > 0;
        if (exists)
            continue;
        insert({id, std::nullopt, name});
        added = true;
    }
    tx.commit();
    return added;
}

std::optional<PermissionGrant> FormPermissions::grantFor(int nodeId)
{
    if (const auto category = categoryName(nodeId))
        return PermissionGrant{nodeId, std::nullopt, *category};
    const int code = entryCodeOfNode(nodeId);
    if (code == kExitCode)
        return std::nullopt;
    const CatalogueEntry* entry = entryByCode(code);
    if (!entry)
        return std::nullopt;
    return PermissionGrant{code, entry->category.value_or(kUnfiledEntriesCategory), entry->name};
}

bool FormPermissions::grant(int nodeId)
{
    const auto g = grantFor(nodeId);
    if (!g)
        return false;
    db::Transaction tx(session_);
    if (has(g->id))
        return false;
    insert(*g);
    tx.commit();
    return true;
}

void FormPermissions::revoke(int id)
{
    db::Transaction tx(session_);
    session_.exec(QStringLiteral("DELETE FROM Q_FRM WHERE PR_ID = :id AND PR_INFO = :u"), {{"id", id}, {"u", user_}});
    tx.commit();
}

void FormPermissions::grantSet(const QList<int>& entries)
{
    db::Transaction tx(session_);
    session_.exec(QStringLiteral("DELETE FROM Q_FRM WHERE PR_INFO = :u"), {{"u", user_}});
    for (int c : setCategories())
        insert({c, std::nullopt, categoryName(c).value_or(QString())});
    for (int code : entries) {
        const CatalogueEntry* e = entryByCode(code);
        if (!e)
            continue;
        insert({code, e->category.value_or(kUnfiledEntriesCategory), e->name});
    }
    tx.commit();
}

void FormPermissions::grantLightModule()
{
    grantSet(lightModuleEntries());
}

void FormPermissions::grantMasterModule()
{
    grantSet(masterModuleEntries());
}

void FormPermissions::grantFullModule()
{
    app::grantFullModule(session_, user_);
}

}  // namespace app
