#pragma once

#include "db/session.h"

#include <QString>
#include <optional>

namespace app {

// The owner name of the master catalogue's rows in Q_frmmaster.
inline constexpr const char* kMasterCatalogueOwner = "ADMIN";
// Entries the catalogue lists under no category (the sales invoice and
// waybill) are filed under "Faturalar", where the master tree shows them.
inline constexpr int kUnfiledEntriesCategory = 3;

namespace permmsg {
inline constexpr const char* kCategoriesAddedSuffix = "...İsimli Kullanıcıya Ana Menüler Eklendi";
inline constexpr const char* kUseAllForms = "Alt Menüler Eklemek için Sağdaki ALL FORMS Bölümünü Kullanın";
inline constexpr const char* kRevokeSuffix = "...isimli Kullanıcaya Ait seçilen Formu İptal Etmek İstiyor musunuz ?";
inline constexpr const char* kSetCaption = "D I K K A  T ...";
inline constexpr const char* kLightQuestion = "Light Modül?";
inline constexpr const char* kMasterQuestion = "Master?";
inline constexpr const char* kFullQuestion = "Tümü Eklensinmi?";
}  // namespace permmsg

// One row a node of the master tree grants.
struct PermissionGrant {
    int id = 0;
    std::optional<int> parent;  // none: a category row
    QString name;
};

// The permission rows (Q_FRM) of one user, as the permission editor changes
// them. Every change is one transaction; the editor never writes a row the
// user already has.
class FormPermissions {
public:
    FormPermissions(db::Session& session, QString user);

    const QString& user() const { return user_; }
    // The master catalogue (the "ALL FORMS " tree) and the user's rows.
    db::RowSet masterRows();
    db::RowSet userRows();

    // A user without the "Stok" category row gets the eight category rows
    // (those of them the user lacks). True when rows were added.
    bool grantCategoryRows();
    // What double-clicking the master node `nodeId` grants: a category row for
    // a category node, otherwise the catalogue entry (nodes 520 and 521 stand
    // for the entries 9520 and 9521); none for a node that grants nothing.
    static std::optional<PermissionGrant> grantFor(int nodeId);
    // Grants a node; false when it grants nothing or the user has it already.
    bool grant(int nodeId);
    // Deletes the user's rows with this PR_ID. A category's entries stay.
    void revoke(int id);

    // The ready-made sets: each replaces every row of the user.
    void grantLightModule();
    void grantMasterModule();
    void grantFullModule();

private:
    void grantSet(const QList<int>& entries);
    bool has(int id);
    void insert(const PermissionGrant& g);

    db::Session& session_;
    QString user_;
};

}  // namespace app
