#include "reports/template_highlighter.h"

namespace reports {

TemplateHighlighter::TemplateHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document),
      statements_(QStringLiteral(
          "^\\s*(report|page|margins|font|dataset|title|pageheader|columnheader|data|detail|header|footer|group|"
          "summary|pagefooter|band|table|column|total|nototal|text|field|line|rect|image|barcode)\\b")),
      options_(QStringLiteral(
          "\\b(height|grow|repeat|newpage|newpageafter|notfirst|notlast|nokeep|stripe|if|link|filter|printifempty|"
          "left|right|center|justify|top|middle|bottom|bold|italic|underline|size|color|fill|frame|width|wrap|"
          "format|nozero|pad|stretch|notext|portrait|landscape|code39|code128|ean13|sum|count|avg|min|max|caption|"
          "rowheight|headerfill|noheader|nofooter|foot|A3|A4|A5|A6|B5|Letter|Legal)\\b"))
{
    statement_.setForeground(QColor(0x00, 0x33, 0x99));
    statement_.setFontWeight(QFont::Bold);
    option_.setForeground(QColor(0x80, 0x00, 0x80));
    string_.setForeground(QColor(0x00, 0x70, 0x00));
    expression_.setForeground(QColor(0x00, 0x55, 0xcc));
    expression_.setBackground(QColor(0xee, 0xf4, 0xff));
    number_.setForeground(QColor(0x99, 0x33, 0x00));
    comment_.setForeground(QColor(0x88, 0x88, 0x88));
    comment_.setFontItalic(true);
}

void TemplateHighlighter::highlightBlock(const QString& text)
{
    static const QRegularExpression numbers(QStringLiteral("(?<![\\w.])-?\\d+(\\.\\d+)?(?![\\w])"));
    for (auto it = options_.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        setFormat(int(m.capturedStart()), int(m.capturedLength()), option_);
    }
    for (auto it = numbers.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        setFormat(int(m.capturedStart()), int(m.capturedLength()), number_);
    }
    if (const auto m = statements_.match(text); m.hasMatch())
        setFormat(int(m.capturedStart(1)), int(m.capturedLength(1)), statement_);
    // Strings, expressions and comments, left to right.
    int i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c == u'#' && (text.left(i).trimmed().isEmpty() || i + 1 >= text.size() || text[i + 1].isSpace())) {
            setFormat(i, int(text.size()) - i, comment_);
            return;
        }
        if (c == u'"') {
            int j = i + 1;
            while (j < text.size() && text[j] != u'"') {
                if (text[j] == u'\\')
                    ++j;
                ++j;
            }
            setFormat(i, qMin(int(text.size()), j + 1) - i, string_);
            // Embedded expressions inside the text.
            for (int k = i + 1; k < j; ++k) {
                if (text[k] == u'[' && text[k - 1] != u'\\') {
                    const int end = int(text.indexOf(u']', k));
                    if (end < 0 || end > j)
                        break;
                    setFormat(k, end - k + 1, expression_);
                    k = end;
                }
            }
            i = j + 1;
            continue;
        }
        if (c == u'[') {
            int depth = 0;
            int j = i;
            for (; j < text.size(); ++j) {
                if (text[j] == u'[')
                    ++depth;
                else if (text[j] == u']' && --depth == 0)
                    break;
            }
            setFormat(i, qMin(int(text.size()), j + 1) - i, expression_);
            i = j + 1;
            continue;
        }
        ++i;
    }
}

}  // namespace reports
