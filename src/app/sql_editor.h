#pragma once

#include <QPlainTextEdit>
#include <QStringList>

class QCompleter;
class QStringListModel;

namespace app {

// The SQL text of the administration window: SQL colouring, and completion of
// a few words (the popup opens by itself after two letters, or on
// Ctrl+Space).
class SqlEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit SqlEditor(QWidget* parent = nullptr);

    void setCompletionWords(const QStringList& words);
    QStringList completionWords() const;
    QCompleter* completer() const { return completer_; }
    // The words offered for `prefix` (case-insensitive), as the popup lists them.
    QStringList completionsFor(const QString& prefix) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    QString wordUnderCursor() const;
    void insertCompletion(const QString& word);

    QCompleter* completer_;
    QStringListModel* words_;
};

}  // namespace app
