#include "app/sql_editor.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStringListModel>
#include <QSyntaxHighlighter>

namespace app {

namespace {

// Keywords, strings, numbers and comments of SQL in the usual colours.
class SqlHighlighter : public QSyntaxHighlighter {
public:
    explicit SqlHighlighter(QTextDocument* doc) : QSyntaxHighlighter(doc)
    {
        keyword_.setForeground(QColor(0, 0, 160));
        keyword_.setFontWeight(QFont::Bold);
        text_.setForeground(QColor(160, 0, 0));
        number_.setForeground(QColor(0, 128, 128));
        comment_.setForeground(QColor(0, 128, 0));
        comment_.setFontItalic(true);
        static const char* const words[] = {
            "select",   "from",        "where",    "and",        "or",       "not",    "null",    "is",      "in",
            "like",     "between",     "case",     "when",       "then",     "else",   "end",     "begin",   "go",
            "insert",   "into",        "values",   "update",     "set",      "delete", "create",  "table",   "view",
            "index",    "drop",        "alter",    "add",        "column",   "as",     "on",      "join",    "left",
            "right",    "inner",       "outer",    "full",       "cross",    "group",  "by",      "order",   "having",
            "union",    "all",         "distinct", "top",        "limit",    "offset", "exists",  "asc",     "desc",
            "primary",  "key",         "default",  "trigger",    "function", "return", "returns", "declare", "commit",
            "rollback", "transaction", "vacuum",   "checkpoint", "pragma",   "with",   "count",   "sum",     "min",
            "max",      "avg",         "coalesce", "cast"};
        QStringList list;
        for (const char* w : words)
            list << QString::fromLatin1(w);
        keywords_.setPattern(QStringLiteral("\\b(%1)\\b").arg(list.join(u'|')));
        keywords_.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
    }

protected:
    void highlightBlock(const QString& line) override
    {
        for (auto it = keywords_.globalMatch(line); it.hasNext();) {
            const auto m = it.next();
            setFormat(int(m.capturedStart()), int(m.capturedLength()), keyword_);
        }
        static const QRegularExpression numbers(QStringLiteral("\\b\\d+(\\.\\d+)?\\b"));
        for (auto it = numbers.globalMatch(line); it.hasNext();) {
            const auto m = it.next();
            setFormat(int(m.capturedStart()), int(m.capturedLength()), number_);
        }
        // Strings and comments, left to right; a block comment may go on over lines.
        int i = 0;
        setCurrentBlockState(0);
        if (previousBlockState() == 1) {
            const int end = int(line.indexOf(QLatin1String("*/")));
            const int to = end < 0 ? int(line.size()) : end + 2;
            setFormat(0, to, comment_);
            if (end < 0) {
                setCurrentBlockState(1);
                return;
            }
            i = to;
        }
        while (i < line.size()) {
            const QChar c = line[i];
            if (c == u'\'') {
                int j = i + 1;
                while (j < line.size() && !(line[j] == u'\'' && (j + 1 >= line.size() || line[j + 1] != u'\'')))
                    j += line[j] == u'\'' ? 2 : 1;
                setFormat(i, std::min(int(line.size()), j + 1) - i, text_);
                i = j + 1;
            } else if (c == u'-' && i + 1 < line.size() && line[i + 1] == u'-') {
                setFormat(i, int(line.size()) - i, comment_);
                return;
            } else if (c == u'/' && i + 1 < line.size() && line[i + 1] == u'*') {
                const int end = int(line.indexOf(QLatin1String("*/"), i + 2));
                if (end < 0) {
                    setFormat(i, int(line.size()) - i, comment_);
                    setCurrentBlockState(1);
                    return;
                }
                setFormat(i, end + 2 - i, comment_);
                i = end + 2;
            } else {
                ++i;
            }
        }
    }

private:
    QRegularExpression keywords_;
    QTextCharFormat keyword_, text_, number_, comment_;
};

}  // namespace

SqlEditor::SqlEditor(QWidget* parent)
    : QPlainTextEdit(parent), completer_(new QCompleter(this)), words_(new QStringListModel(this))
{
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    new SqlHighlighter(document());
    completer_->setModel(words_);
    completer_->setWidget(this);
    completer_->setCompletionMode(QCompleter::PopupCompletion);
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    connect(completer_, qOverload<const QString&>(&QCompleter::activated), this, &SqlEditor::insertCompletion);
}

void SqlEditor::setCompletionWords(const QStringList& words)
{
    words_->setStringList(words);
}

QStringList SqlEditor::completionWords() const
{
    return words_->stringList();
}

QStringList SqlEditor::completionsFor(const QString& prefix) const
{
    QStringList out;
    for (const QString& w : words_->stringList())
        if (w.startsWith(prefix, Qt::CaseInsensitive))
            out << w;
    return out;
}

QString SqlEditor::wordUnderCursor() const
{
    QTextCursor c = textCursor();
    c.movePosition(QTextCursor::StartOfWord, QTextCursor::KeepAnchor);
    return c.selectedText();
}

void SqlEditor::insertCompletion(const QString& word)
{
    QTextCursor c = textCursor();
    c.movePosition(QTextCursor::StartOfWord, QTextCursor::KeepAnchor);
    c.insertText(word);
    setTextCursor(c);
}

// The open popup keeps Enter and Esc, so that the window neither moves on nor closes.
bool SqlEditor::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && completer_->popup()->isVisible()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
            event->accept();
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

void SqlEditor::keyPressEvent(QKeyEvent* event)
{
    if (completer_->popup()->isVisible()) {
        switch (event->key()) {
            case Qt::Key_Enter:
            case Qt::Key_Return:
            case Qt::Key_Escape:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
                event->ignore();  // the popup takes them
                return;
            default:
                break;
        }
    }
    const bool forced = event->key() == Qt::Key_Space && (event->modifiers() & Qt::ControlModifier);
    if (!forced)
        QPlainTextEdit::keyPressEvent(event);
    const QString prefix = wordUnderCursor();
    const bool letter = !event->text().isEmpty() && event->text().at(0).isLetter();
    if (!forced && (!letter || prefix.size() < 2)) {
        completer_->popup()->hide();
        return;
    }
    if (completionsFor(prefix).isEmpty()) {
        completer_->popup()->hide();
        return;
    }
    completer_->setCompletionPrefix(prefix);
    completer_->popup()->setCurrentIndex(completer_->completionModel()->index(0, 0));
    QRect r = cursorRect();
    r.setWidth(completer_->popup()->sizeHintForColumn(0) +
               completer_->popup()->verticalScrollBar()->sizeHint().width());
    completer_->complete(r);
}

}  // namespace app
