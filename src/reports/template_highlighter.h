#pragma once

#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace reports {

// Colours of the template format in the designer: statements, options,
// "texts", [expressions], numbers and # comments.
class TemplateHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit TemplateHighlighter(QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;

private:
    QRegularExpression statements_;
    QRegularExpression options_;
    QTextCharFormat statement_, option_, string_, expression_, number_, comment_;
};

}  // namespace reports
