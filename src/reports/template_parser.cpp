#include "reports/template_parser.h"

#include <QHash>
#include <QRegularExpression>

namespace reports {

namespace {

struct Tok {
    enum Kind { Word, String, Expr };
    Kind kind = Word;
    QString text;
    int column = 0;
};

struct SourceLine {
    int number = 0;
    int indent = 0;
    QList<Tok> toks;
    std::vector<SourceLine*> children;
    QString keyword() const { return toks.isEmpty() ? QString() : toks[0].text.toLower(); }
};

class Reader {
public:
    Reader(ReportTemplate& t, const std::optional<PageSetup>& pageOverride) : t_(t), override_(pageOverride) {}

    void read(const QString& text)
    {
        const QStringList lines = text.split(u'\n');
        for (int i = 0; i < lines.size(); ++i)
            tokenize(lines[i], i + 1);
        // Build the tree by indentation.
        std::vector<SourceLine*> stack;
        std::vector<SourceLine*> roots;
        for (auto& l : storage_) {
            while (!stack.empty() && stack.back()->indent >= l->indent)
                stack.pop_back();
            if (stack.empty())
                roots.push_back(l.get());
            else
                stack.back()->children.push_back(l.get());
            stack.push_back(l.get());
        }
        for (SourceLine* l : roots)
            topLevel(*l);
        if (override_) {
            t_.pageSize = override_->size;
            t_.orientation = override_->orientation;
            t_.margins = override_->margins;
        }
        for (size_t i = 0; i < pendingTables_.size(); ++i)
            expandTable(i);
    }

private:
    // ---- lexing -------------------------------------------------------
    void tokenize(const QString& raw, int number)
    {
        QString s = raw;
        if (s.endsWith(u'\r'))
            s.chop(1);
        int indent = 0;
        int i = 0;
        for (; i < s.size(); ++i) {
            if (s[i] == u' ')
                indent += 1;
            else if (s[i] == u'\t')
                indent += 4;
            else
                break;
        }
        if (i >= s.size() || s[i] == u'#')
            return;
        auto line = std::make_unique<SourceLine>();
        line->number = number;
        line->indent = indent;
        while (i < s.size()) {
            const QChar c = s[i];
            if (c.isSpace()) {
                ++i;
                continue;
            }
            if (c == u'#' && (i + 1 >= s.size() || s[i + 1].isSpace()))
                break;  // comment to the end of the line
            Tok t;
            t.column = i + 1;
            if (c == u'"') {
                t.kind = Tok::String;
                ++i;
                bool closed = false;
                while (i < s.size()) {
                    const QChar d = s[i];
                    if (d == u'\\' && i + 1 < s.size()) {
                        const QChar e = s[i + 1];
                        if (e == u'"' || e == u'\\')
                            t.text += e;
                        else if (e == u'n')
                            t.text += u'\n';
                        else
                            t.text += QString(d) + e;  // "\[" stays for the text reader
                        i += 2;
                        continue;
                    }
                    if (d == u'"') {
                        closed = true;
                        ++i;
                        break;
                    }
                    t.text += d;
                    ++i;
                }
                if (!closed)
                    error(number, t.column, QStringLiteral("kapanmamış tırnak (\")"));
            } else if (c == u'[') {
                t.kind = Tok::Expr;
                const int end = matchBracket(s, i);
                if (end < 0) {
                    error(number, t.column, QStringLiteral("kapanmamış köşeli parantez ([)"));
                    t.text = s.mid(i + 1);
                    i = int(s.size());
                } else {
                    t.text = s.mid(i + 1, end - i - 1);
                    i = end + 1;
                }
            } else {
                t.kind = Tok::Word;
                const int start = i;
                while (i < s.size() && !s[i].isSpace() && s[i] != u'"' && s[i] != u'[')
                    ++i;
                t.text = s.mid(start, i - start);
            }
            line->toks << t;
        }
        if (!line->toks.isEmpty())
            storage_.push_back(std::move(line));
    }

    static int matchBracket(const QString& s, int open)
    {
        int depth = 0;
        QChar quote;
        for (int i = open; i < s.size(); ++i) {
            const QChar c = s[i];
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
                continue;
            }
            if (c == u'\'' || (c == u'"' && i != open))
                quote = c;
            else if (c == u'[')
                ++depth;
            else if (c == u']' && --depth == 0)
                return i;
        }
        return -1;
    }

    // ---- diagnostics --------------------------------------------------
    void error(int line, int column, const QString& message, bool warning = false)
    {
        t_.diagnostics << Diagnostic{line, column, message, warning};
    }
    void error(const SourceLine& l, const QString& message, int tokIndex = 0)
    {
        const int col = tokIndex < l.toks.size() ? l.toks[tokIndex].column : 1;
        error(l.number, col, message);
    }

    expr::ExpressionPtr expression(const SourceLine& l, const Tok& t)
    {
        auto e = expr::Expression::parse(t.text);
        if (!e->ok())
            error(l.number, t.column + 1 + e->errorOffset(), QStringLiteral("ifade: %1").arg(e->error()));
        return e;
    }
    // A field given as a bare word ("Tutar") or an expression ([x * 2]).
    expr::ExpressionPtr fieldOrExpression(const SourceLine& l, const Tok& t)
    {
        if (t.kind == Tok::Expr)
            return expression(l, t);
        Tok e = t;
        if (t.kind == Tok::String || !QRegularExpression(QStringLiteral("^[\\w.]+$")).match(t.text).hasMatch())
            e.text = columnRef(QString(), t.text);
        return expression(l, e);
    }

    static std::optional<double> number(const Tok& t)
    {
        if (t.kind != Tok::Word)
            return std::nullopt;
        bool ok = false;
        const double d = t.text.toDouble(&ok);
        if (!ok)
            return std::nullopt;
        return d;
    }

    bool numbers(const SourceLine& l, int from, int count, double* out)
    {
        for (int k = 0; k < count; ++k) {
            const int idx = from + k;
            if (idx >= l.toks.size() || !number(l.toks[idx])) {
                error(
                    l,
                    QStringLiteral("'%1': %2 sayı bekleniyor (x y genişlik yükseklik, mm)").arg(l.keyword()).arg(count),
                    qMin(idx, int(l.toks.size()) - 1));
                return false;
            }
            out[k] = *number(l.toks[idx]);
        }
        return true;
    }

    QColor color(const SourceLine& l, int idx)
    {
        if (idx >= l.toks.size()) {
            error(l, QStringLiteral("renk bekleniyor"), idx - 1);
            return {};
        }
        const QColor c = QColor::fromString(l.toks[idx].text);
        if (!c.isValid())
            error(l, QStringLiteral("bilinmeyen renk '%1'").arg(l.toks[idx].text), idx);
        return c;
    }

    // ---- top level ----------------------------------------------------
    void topLevel(SourceLine& l)
    {
        const QString k = l.keyword();
        if (k == QLatin1String("report")) {
            if (l.toks.size() > 1)
                t_.title = l.toks[1].text;
        } else if (k == QLatin1String("page")) {
            pageStatement(l);
        } else if (k == QLatin1String("margins")) {
            marginsAt(l, 1);
        } else if (k == QLatin1String("font")) {
            fontStatement(l, 1, t_.font);
        } else if (k == QLatin1String("dataset")) {
            if (l.toks.size() < 3 || l.toks[2].kind != Tok::String) {
                error(l, QStringLiteral("dataset AD \"SELECT ...\" bekleniyor"));
                return;
            }
            t_.datasets << DatasetDecl{l.toks[1].text, l.toks[2].text, l.number};
        } else if (k == QLatin1String("title")) {
            t_.title_ = band(l, BandKind::Title, 1);
        } else if (k == QLatin1String("pageheader")) {
            t_.pageHeader = band(l, BandKind::PageHeader, 1);
        } else if (k == QLatin1String("columnheader")) {
            t_.columnHeader = band(l, BandKind::ColumnHeader, 1);
        } else if (k == QLatin1String("summary")) {
            t_.summary = band(l, BandKind::Summary, 1);
        } else if (k == QLatin1String("pagefooter")) {
            t_.pageFooter = band(l, BandKind::PageFooter, 1);
        } else if (k == QLatin1String("band")) {
            BodyItem item;
            item.band = band(l, BandKind::Static, 1);
            t_.body.push_back(std::move(item));
        } else if (k == QLatin1String("data")) {
            BodyItem item;
            item.data = dataBand(l);
            t_.body.push_back(std::move(item));
        } else if (k == QLatin1String("table")) {
            // Expanded once the page set-up is known (the end of the file).
            pendingTables_.push_back(&l);
            BodyItem placeholder;
            t_.body.push_back(std::move(placeholder));
            tableSlots_.push_back(int(t_.body.size()) - 1);
        } else {
            error(l, QStringLiteral("bilinmeyen komut '%1'").arg(l.toks[0].text));
        }
    }

    void pageStatement(const SourceLine& l)
    {
        static const QHash<QString, QPageSize::PageSizeId> sizes = {
            {QStringLiteral("a3"), QPageSize::A3},       {QStringLiteral("a4"), QPageSize::A4},
            {QStringLiteral("a5"), QPageSize::A5},       {QStringLiteral("a6"), QPageSize::A6},
            {QStringLiteral("b5"), QPageSize::B5},       {QStringLiteral("letter"), QPageSize::Letter},
            {QStringLiteral("legal"), QPageSize::Legal},
        };
        for (int i = 1; i < l.toks.size(); ++i) {
            const QString w = l.toks[i].text.toLower();
            if (sizes.contains(w)) {
                t_.pageSize = QPageSize(sizes.value(w));
            } else if (w == QLatin1String("portrait")) {
                t_.orientation = QPageLayout::Portrait;
            } else if (w == QLatin1String("landscape")) {
                t_.orientation = QPageLayout::Landscape;
            } else if (w == QLatin1String("margins")) {
                marginsAt(l, i + 1);
                i += 4;
            } else if (static const QRegularExpression custom(
                           QStringLiteral("^(\\d+(?:\\.\\d+)?)x(\\d+(?:\\.\\d+)?)$"));
                       custom.match(w).hasMatch()) {
                const auto m = custom.match(w);
                t_.pageSize = QPageSize(QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                        QPageSize::Millimeter, QStringLiteral("Özel"), QPageSize::ExactMatch);
            } else {
                error(l,
                      QStringLiteral("page: bilinmeyen '%1' (A4, A5, landscape, margins, 80x200 ...)")
                          .arg(l.toks[i].text),
                      i);
            }
        }
    }

    void marginsAt(const SourceLine& l, int from)
    {
        double m[4];
        if (from < l.toks.size() && number(l.toks[from]) && (from + 1 >= l.toks.size() || !number(l.toks[from + 1]))) {
            const double all = *number(l.toks[from]);
            t_.margins = QMarginsF(all, all, all, all);
            return;
        }
        if (numbers(l, from, 4, m))
            t_.margins = QMarginsF(m[0], m[1], m[2], m[3]);
    }

    void fontStatement(const SourceLine& l, int from, FontSpec& f)
    {
        for (int i = from; i < l.toks.size(); ++i) {
            const Tok& t = l.toks[i];
            if (t.kind == Tok::String)
                f.family = t.text;
            else if (number(t))
                f.size = *number(t);
            else if (t.text.toLower() == QLatin1String("bold"))
                f.bold = true;
            else if (t.text.toLower() == QLatin1String("italic"))
                f.italic = true;
            else
                error(l, QStringLiteral("font: bilinmeyen '%1'").arg(t.text), i);
        }
    }

    // ---- bands --------------------------------------------------------
    // Reads band options from token `from`; returns false for an unknown word.
    bool bandOption(const SourceLine& l, int& i, Band& b)
    {
        const QString w = l.toks[i].text.toLower();
        if (l.toks[i].kind != Tok::Word)
            return false;
        if (w == QLatin1String("height")) {
            if (i + 1 < l.toks.size() && number(l.toks[i + 1]))
                b.height = *number(l.toks[++i]);
            else
                error(l, QStringLiteral("height: sayı bekleniyor"), i);
        } else if (w == QLatin1String("grow")) {
            b.grow = true;
        } else if (w == QLatin1String("repeat")) {
            b.repeat = true;
        } else if (w == QLatin1String("newpage")) {
            b.newPageBefore = true;
        } else if (w == QLatin1String("newpageafter")) {
            b.newPageAfter = true;
        } else if (w == QLatin1String("notfirst")) {
            b.onFirstPage = false;
        } else if (w == QLatin1String("notlast")) {
            b.onLastPage = false;
        } else if (w == QLatin1String("nokeep")) {
            b.keepWithData = false;
        } else if (w == QLatin1String("stripe")) {
            if (i + 1 < l.toks.size() && l.toks[i + 1].kind == Tok::Word &&
                QColor::isValidColorName(l.toks[i + 1].text))
                b.stripe = QColor::fromString(l.toks[++i].text);
            else
                b.stripe = QColor(0xf2, 0xf2, 0xf2);
        } else if (w == QLatin1String("if")) {
            if (i + 1 < l.toks.size() && l.toks[i + 1].kind == Tok::Expr)
                b.visibleIf = expression(l, l.toks[++i]);
            else
                error(l, QStringLiteral("if: [ifade] bekleniyor"), i);
        } else {
            return false;
        }
        return true;
    }

    Band band(const SourceLine& l, BandKind kind, int from)
    {
        Band b;
        b.kind = kind;
        b.line = l.number;
        for (int i = from; i < l.toks.size(); ++i) {
            if (!bandOption(l, i, b))
                error(l, QStringLiteral("%1: bilinmeyen seçenek '%2'").arg(l.keyword(), l.toks[i].text), i);
        }
        for (SourceLine* c : l.children)
            object(*c, b);
        if (b.height <= 0) {
            // No height: as tall as the lowest object.
            for (const auto& o : b.objects)
                b.height = qMax(b.height, o.rect.bottom());
        }
        return b;
    }

    DataBand dataBand(const SourceLine& l)
    {
        DataBand d;
        d.line = l.number;
        d.row.kind = BandKind::Data;
        d.row.line = l.number;
        if (l.toks.size() < 2) {
            error(l, QStringLiteral("data: veri kümesi adı bekleniyor"));
            return d;
        }
        d.dataset = l.toks[1].text;
        for (int i = 2; i < l.toks.size(); ++i) {
            const QString w = l.toks[i].text.toLower();
            if (w == QLatin1String("link")) {
                // link DETAILCOLUMN=MASTERCOLUMN (or "a = b")
                QString spec;
                while (i + 1 < l.toks.size() &&
                       (spec.isEmpty() || spec.endsWith(u'=') || l.toks[i + 1].text.startsWith(u'='))) {
                    spec += l.toks[++i].text;
                    if (!spec.contains(u'=') && spec.size() > 0 && i + 1 < l.toks.size() &&
                        !l.toks[i + 1].text.startsWith(u'='))
                        break;
                }
                const int eq = int(spec.indexOf(u'='));
                if (eq <= 0 || eq == spec.size() - 1)
                    error(l, QStringLiteral("link: DETAYALANI=ANAALAN bekleniyor"), i);
                else {
                    d.linkDetail = spec.left(eq);
                    d.linkMaster = spec.mid(eq + 1);
                }
            } else if (w == QLatin1String("filter")) {
                if (i + 1 < l.toks.size() && l.toks[i + 1].kind == Tok::Expr)
                    d.filter = expression(l, l.toks[++i]);
                else
                    error(l, QStringLiteral("filter: [ifade] bekleniyor"), i);
            } else if (w == QLatin1String("printifempty")) {
                d.printIfEmpty = true;
            } else if (!bandOption(l, i, d.row)) {
                error(l, QStringLiteral("data: bilinmeyen seçenek '%1'").arg(l.toks[i].text), i);
            }
        }
        for (SourceLine* c : l.children) {
            const QString k = c->keyword();
            if (k == QLatin1String("header"))
                d.header = band(*c, BandKind::DataHeader, 1);
            else if (k == QLatin1String("footer"))
                d.footer = band(*c, BandKind::DataFooter, 1);
            else if (k == QLatin1String("group"))
                group(*c, d);
            else if (k == QLatin1String("data") || k == QLatin1String("detail"))
                d.details.push_back(dataBand(*c));
            else
                object(*c, d.row);
        }
        if (d.row.height <= 0)
            for (const auto& o : d.row.objects)
                d.row.height = qMax(d.row.height, o.rect.bottom());
        return d;
    }

    void group(const SourceLine& l, DataBand& d)
    {
        Group g;
        g.line = l.number;
        if (l.toks.size() < 2) {
            error(l, QStringLiteral("group: alan ya da [ifade] bekleniyor"));
            return;
        }
        g.key = fieldOrExpression(l, l.toks[1]);
        for (int i = 2; i < l.toks.size(); ++i)
            error(l, QStringLiteral("group: bilinmeyen seçenek '%1'").arg(l.toks[i].text), i);
        std::vector<const SourceLine*> inner;
        for (SourceLine* c : l.children) {
            const QString k = c->keyword();
            if (k == QLatin1String("header"))
                g.header = band(*c, BandKind::GroupHeader, 1);
            else if (k == QLatin1String("footer"))
                g.footer = band(*c, BandKind::GroupFooter, 1);
            else if (k == QLatin1String("group"))
                inner.push_back(c);
            else
                error(*c, QStringLiteral("group içinde header, footer ya da group bekleniyor"));
        }
        d.groups.push_back(std::move(g));
        for (const SourceLine* c : inner)
            group(*c, d);
    }

    // ---- objects ------------------------------------------------------
    void object(const SourceLine& l, Band& b)
    {
        const QString k = l.keyword();
        ReportObject o;
        o.line = l.number;
        double r[4];
        int i = 5;
        if (k == QLatin1String("text") || k == QLatin1String("field")) {
            o.kind = ReportObject::Kind::Text;
            if (!numbers(l, 1, 4, r))
                return;
            o.rect = QRectF(r[0], r[1], r[2], r[3]);
            if (i < l.toks.size() && l.toks[i].kind == Tok::String) {
                o.text = parseTextTemplate(l.toks[i].text, l.number, &t_.diagnostics);
                ++i;
            } else if (i < l.toks.size() && l.toks[i].kind == Tok::Expr) {
                o.text.parts << TextTemplate::Part{QString(), expression(l, l.toks[i])};
                ++i;
                if (i < l.toks.size() && l.toks[i].kind == Tok::String)
                    o.format = l.toks[i++].text;
            } else if (i < l.toks.size() && k == QLatin1String("field")) {
                o.text.parts << TextTemplate::Part{QString(), fieldOrExpression(l, l.toks[i])};
                ++i;
                if (i < l.toks.size() && l.toks[i].kind == Tok::String)
                    o.format = l.toks[i++].text;
            } else {
                error(l, QStringLiteral("%1: \"metin\" ya da [ifade] bekleniyor").arg(k),
                      qMin(i, int(l.toks.size()) - 1));
            }
        } else if (k == QLatin1String("line")) {
            o.kind = ReportObject::Kind::Line;
            if (!numbers(l, 1, 4, r))
                return;
            o.rect = QRectF(QPointF(r[0], r[1]), QPointF(r[2], r[3]));
        } else if (k == QLatin1String("rect")) {
            o.kind = ReportObject::Kind::Rect;
            if (!numbers(l, 1, 4, r))
                return;
            o.rect = QRectF(r[0], r[1], r[2], r[3]);
            o.frame = 15;
        } else if (k == QLatin1String("image")) {
            o.kind = ReportObject::Kind::Image;
            if (!numbers(l, 1, 4, r))
                return;
            o.rect = QRectF(r[0], r[1], r[2], r[3]);
            if (i < l.toks.size() && l.toks[i].kind == Tok::String)
                o.file = l.toks[i++].text;
            else if (i < l.toks.size() && l.toks[i].kind == Tok::Expr)
                o.imageSource = expression(l, l.toks[i++]);
            else
                error(l, QStringLiteral("image: \"dosya\" ya da [sütun] bekleniyor"));
        } else if (k == QLatin1String("barcode")) {
            o.kind = ReportObject::Kind::Barcode;
            if (!numbers(l, 1, 4, r))
                return;
            o.rect = QRectF(r[0], r[1], r[2], r[3]);
            const QString type = i < l.toks.size() ? l.toks[i].text.toLower() : QString();
            if (type == QLatin1String("code39"))
                o.barcode = BarcodeType::Code39;
            else if (type == QLatin1String("code128"))
                o.barcode = BarcodeType::Code128;
            else if (type == QLatin1String("ean13"))
                o.barcode = BarcodeType::Ean13;
            else {
                error(l, QStringLiteral("barcode: code39, code128 ya da ean13 bekleniyor"),
                      qMin(i, int(l.toks.size()) - 1));
                return;
            }
            ++i;
            if (i < l.toks.size() && l.toks[i].kind == Tok::Expr) {
                o.barcodeValue = expression(l, l.toks[i++]);
            } else if (i < l.toks.size() && l.toks[i].kind == Tok::String) {
                Tok lit = l.toks[i++];
                lit.text = quotedExpressionString(lit.text);
                o.barcodeValue = expression(l, lit);
            } else {
                error(l, QStringLiteral("barcode: [değer] bekleniyor"));
            }
        } else {
            error(
                l,
                QStringLiteral("bilinmeyen nesne '%1' (text, field, line, rect, image, barcode)").arg(l.toks[0].text));
            return;
        }
        for (; i < l.toks.size(); ++i)
            objectOption(l, i, o);
        for (const SourceLine* c : l.children)
            error(*c, QStringLiteral("nesnelerin altına satır yazılmaz"));
        b.objects.push_back(std::move(o));
    }

    static QString quotedExpressionString(const QString& s)
    {
        QString t = s;
        t.replace(u'\'', QLatin1String("''"));
        return u'\'' + t + u'\'';
    }

    void objectOption(const SourceLine& l, int& i, ReportObject& o)
    {
        const Tok& t = l.toks[i];
        const QString w = t.text.toLower();
        auto needNumber = [&](double& target) {
            if (i + 1 < l.toks.size() && number(l.toks[i + 1]))
                target = *number(l.toks[++i]);
            else
                error(l, QStringLiteral("%1: sayı bekleniyor").arg(w), i);
        };
        if (t.kind == Tok::String && o.kind == ReportObject::Kind::Text) {
            o.format = t.text;
            return;
        }
        if (t.kind != Tok::Word) {
            error(l, QStringLiteral("beklenmeyen '%1'").arg(t.text), i);
            return;
        }
        if (w == QLatin1String("left"))
            o.align = (o.align & ~Qt::AlignHorizontal_Mask) | Qt::AlignLeft;
        else if (w == QLatin1String("right"))
            o.align = (o.align & ~Qt::AlignHorizontal_Mask) | Qt::AlignRight;
        else if (w == QLatin1String("center"))
            o.align = (o.align & ~Qt::AlignHorizontal_Mask) | Qt::AlignHCenter;
        else if (w == QLatin1String("justify"))
            o.align = (o.align & ~Qt::AlignHorizontal_Mask) | Qt::AlignJustify;
        else if (w == QLatin1String("top"))
            o.align = (o.align & ~Qt::AlignVertical_Mask) | Qt::AlignTop;
        else if (w == QLatin1String("middle"))
            o.align = (o.align & ~Qt::AlignVertical_Mask) | Qt::AlignVCenter;
        else if (w == QLatin1String("bottom"))
            o.align = (o.align & ~Qt::AlignVertical_Mask) | Qt::AlignBottom;
        else if (w == QLatin1String("bold"))
            o.font.bold = true;
        else if (w == QLatin1String("italic"))
            o.font.italic = true;
        else if (w == QLatin1String("underline"))
            o.font.underline = true;
        else if (w == QLatin1String("size"))
            needNumber(o.font.size);
        else if (w == QLatin1String("font")) {
            if (i + 1 < l.toks.size() && l.toks[i + 1].kind == Tok::String)
                o.font.family = l.toks[++i].text;
            else
                error(l, QStringLiteral("font: \"aile\" bekleniyor"), i);
        } else if (w == QLatin1String("color"))
            o.color = color(l, ++i);
        else if (w == QLatin1String("fill"))
            o.fill = color(l, ++i);
        else if (w == QLatin1String("frame")) {
            o.frame = 15;
            if (i + 1 < l.toks.size() &&
                QRegularExpression(QStringLiteral("^[ltrb]+$")).match(l.toks[i + 1].text).hasMatch()) {
                const QString sides = l.toks[++i].text;
                o.frame = (sides.contains(u'l') ? 1 : 0) | (sides.contains(u't') ? 2 : 0) |
                          (sides.contains(u'r') ? 4 : 0) | (sides.contains(u'b') ? 8 : 0);
            }
        } else if (w == QLatin1String("width"))
            needNumber(o.lineWidth);
        else if (w == QLatin1String("wrap"))
            o.wrap = true;
        else if (w == QLatin1String("grow")) {
            o.grow = true;
            o.wrap = true;
        } else if (w == QLatin1String("format")) {
            if (i + 1 < l.toks.size() && l.toks[i + 1].kind == Tok::String)
                o.format = l.toks[++i].text;
            else
                error(l, QStringLiteral("format: \"biçim\" bekleniyor"), i);
        } else if (w == QLatin1String("nozero"))
            o.hideZero = true;
        else if (w == QLatin1String("pad"))
            needNumber(o.padding);
        else if (w == QLatin1String("stretch"))
            o.keepAspect = false;
        else if (w == QLatin1String("notext"))
            o.barcodeText = false;
        else
            error(l, QStringLiteral("bilinmeyen seçenek '%1'").arg(t.text), i);
    }

    // ---- the tabular shortcut -----------------------------------------
    struct Column {
        QString caption;
        expr::ExpressionPtr value;
        QString valueText;  // as an expression source
        double width = 0;   // 0: share the rest ("*")
        Qt::Alignment align = Qt::AlignLeft;
        QString format;
        QString aggregate;
        QString foot;
        bool grow = false;
    };

    void expandTable(size_t index)
    {
        const SourceLine& l = *pendingTables_[index];
        const int slot = tableSlots_[index];
        DataBand d;
        d.line = l.number;
        d.row.kind = BandKind::Data;
        d.row.line = l.number;
        if (l.toks.size() < 2) {
            error(l, QStringLiteral("table: veri kümesi adı bekleniyor"));
            return;
        }
        d.dataset = l.toks[1].text;
        double fontSize = t_.font.size > 0 ? t_.font.size : 9;
        double rowHeight = 0;
        QColor headerFill(0xe6, 0xe6, 0xe6);
        QColor stripe;
        QString caption;
        bool total = true;
        QString totalLabel = QStringLiteral("Genel Toplam");
        bool noHeader = false;
        for (int i = 2; i < l.toks.size(); ++i) {
            const QString w = l.toks[i].text.toLower();
            if (w == QLatin1String("size") && i + 1 < l.toks.size() && number(l.toks[i + 1]))
                fontSize = *number(l.toks[++i]);
            else if (w == QLatin1String("rowheight") && i + 1 < l.toks.size() && number(l.toks[i + 1]))
                rowHeight = *number(l.toks[++i]);
            else if (w == QLatin1String("headerfill"))
                headerFill = color(l, ++i);
            else if (w == QLatin1String("stripe")) {
                stripe = QColor(0xf4, 0xf4, 0xf4);
                if (i + 1 < l.toks.size() && QColor::isValidColorName(l.toks[i + 1].text))
                    stripe = QColor::fromString(l.toks[++i].text);
            } else if (w == QLatin1String("caption") && i + 1 < l.toks.size())
                caption = l.toks[++i].text;
            else if (w == QLatin1String("nototal"))
                total = false;
            else if (w == QLatin1String("printifempty"))
                d.printIfEmpty = true;
            else if (w == QLatin1String("noheader"))
                noHeader = true;
            else if (w == QLatin1String("link") && i + 1 < l.toks.size()) {
                const QString spec = l.toks[++i].text;
                const int eq = int(spec.indexOf(u'='));
                if (eq <= 0)
                    error(l, QStringLiteral("link: DETAYALANI=ANAALAN bekleniyor"), i);
                else {
                    d.linkDetail = spec.left(eq);
                    d.linkMaster = spec.mid(eq + 1);
                }
            } else if (w == QLatin1String("filter") && i + 1 < l.toks.size() && l.toks[i + 1].kind == Tok::Expr)
                d.filter = expression(l, l.toks[++i]);
            else
                error(l, QStringLiteral("table: bilinmeyen seçenek '%1'").arg(l.toks[i].text), i);
        }
        if (rowHeight <= 0)
            rowHeight = qMax(4.0, fontSize * 0.3528 * 1.5);

        QList<Column> columns;
        struct GroupSpec {
            expr::ExpressionPtr key;
            QString keyText;
            QString header;
            QString footer;
            bool newPage = false;
            bool hasHeader = true;
            bool hasFooter = true;
            int line = 0;
        };
        QList<GroupSpec> groups;
        for (const SourceLine* c : l.children) {
            const QString k = c->keyword();
            if (k == QLatin1String("column")) {
                Column col;
                if (c->toks.size() < 4 || c->toks[1].kind != Tok::String) {
                    error(*c, QStringLiteral("column \"Başlık\" ALAN GENİŞLİK bekleniyor"));
                    continue;
                }
                col.caption = c->toks[1].text;
                col.value = fieldOrExpression(*c, c->toks[2]);
                col.valueText = c->toks[2].kind == Tok::Expr ? c->toks[2].text : columnRef(QString(), c->toks[2].text);
                if (c->toks[3].text == QLatin1String("*"))
                    col.width = 0;
                else if (auto wv = number(c->toks[3]))
                    col.width = *wv;
                else
                    error(*c, QStringLiteral("column: genişlik (mm) ya da * bekleniyor"), 3);
                for (int i = 4; i < c->toks.size(); ++i) {
                    const Tok& t = c->toks[i];
                    const QString w = t.text.toLower();
                    if (t.kind == Tok::String)
                        col.format = t.text;
                    else if (w == QLatin1String("left"))
                        col.align = Qt::AlignLeft;
                    else if (w == QLatin1String("right"))
                        col.align = Qt::AlignRight;
                    else if (w == QLatin1String("center"))
                        col.align = Qt::AlignHCenter;
                    else if (w == QLatin1String("sum") || w == QLatin1String("count") || w == QLatin1String("avg") ||
                             w == QLatin1String("min") || w == QLatin1String("max"))
                        col.aggregate = w;
                    else if (w == QLatin1String("grow"))
                        col.grow = true;
                    else if (w == QLatin1String("foot") && i + 1 < c->toks.size())
                        col.foot = c->toks[++i].text;
                    else
                        error(*c, QStringLiteral("column: bilinmeyen seçenek '%1'").arg(t.text), i);
                }
                columns << col;
            } else if (k == QLatin1String("group")) {
                GroupSpec g;
                g.line = c->number;
                if (c->toks.size() < 2) {
                    error(*c, QStringLiteral("group: alan ya da [ifade] bekleniyor"));
                    continue;
                }
                g.key = fieldOrExpression(*c, c->toks[1]);
                g.keyText = c->toks[1].kind == Tok::Expr ? c->toks[1].text : columnRef(QString(), c->toks[1].text);
                g.header = u'[' + g.keyText + u']';
                g.footer = QStringLiteral("[%1] Toplamı").arg(g.keyText);
                for (int i = 2; i < c->toks.size(); ++i) {
                    const QString w = c->toks[i].text.toLower();
                    if (w == QLatin1String("header") && i + 1 < c->toks.size())
                        g.header = c->toks[++i].text;
                    else if (w == QLatin1String("footer") && i + 1 < c->toks.size())
                        g.footer = c->toks[++i].text;
                    else if (w == QLatin1String("newpage"))
                        g.newPage = true;
                    else if (w == QLatin1String("noheader"))
                        g.hasHeader = false;
                    else if (w == QLatin1String("nofooter"))
                        g.hasFooter = false;
                    else
                        error(*c, QStringLiteral("group: bilinmeyen seçenek '%1'").arg(c->toks[i].text), i);
                }
                groups << g;
            } else if (k == QLatin1String("total")) {
                total = true;
                if (c->toks.size() > 1)
                    totalLabel = c->toks[1].text;
            } else if (k == QLatin1String("nototal")) {
                total = false;
            } else {
                error(*c, QStringLiteral("table içinde column, group ya da total bekleniyor"));
            }
        }
        if (columns.isEmpty()) {
            error(l, QStringLiteral("table: en az bir column gerekli"));
            return;
        }

        // Widths: fixed ones as given, "*" shares what is left, all scaled
        // down together when they do not fit.
        const double avail = t_.contentWidth();
        double fixed = 0;
        int stars = 0;
        for (const Column& c : columns) {
            fixed += c.width;
            if (c.width <= 0)
                ++stars;
        }
        const double starWidth = stars ? qMax(15.0, (avail - fixed) / stars) : 0;
        double totalWidth = 0;
        for (Column& c : columns) {
            if (c.width <= 0)
                c.width = starWidth;
            totalWidth += c.width;
        }
        if (totalWidth > avail) {
            const double k = avail / totalWidth;
            for (Column& c : columns)
                c.width *= k;
        }
        QList<double> xs;
        double x = 0;
        for (const Column& c : columns) {
            xs << x;
            x += c.width;
        }
        const double tableWidth = x;
        bool anyAggregate = false;
        bool anyFoot = false;
        bool anyGrow = false;
        for (const Column& c : columns) {
            anyAggregate |= !c.aggregate.isEmpty();
            anyFoot |= !c.foot.isEmpty();
            anyGrow |= c.grow;
        }

        auto cell = [&](double cx, double w, double h, TextTemplate text, Qt::Alignment align) {
            ReportObject o;
            o.kind = ReportObject::Kind::Text;
            o.line = l.number;
            o.rect = QRectF(cx, 0, w, h);
            o.text = std::move(text);
            o.align = align | Qt::AlignVCenter;
            o.font.size = fontSize;
            o.padding = 0.8;
            return o;
        };
        auto literal = [](const QString& s) {
            TextTemplate t;
            t.parts << TextTemplate::Part{s, nullptr};
            return t;
        };
        auto templ = [&](const QString& s, int line) { return parseTextTemplate(s, line, &t_.diagnostics); };
        auto aggregateOf = [&](const Column& c, const char* scope) {
            TextTemplate t;
            const QString src = QStringLiteral("%1(%2, %3)").arg(c.aggregate, c.valueText, QLatin1String(scope));
            t.parts << TextTemplate::Part{QString(), expr::Expression::parse(src)};
            return t;
        };
        auto hline = [&](double y, double width) {
            ReportObject o;
            o.kind = ReportObject::Kind::Line;
            o.line = l.number;
            o.rect = QRectF(QPointF(0, y), QPointF(tableWidth, y));
            o.lineWidth = width;
            return o;
        };

        // Caption of the table (printed once, above the header).
        if (!caption.isEmpty()) {
            Band b;
            b.kind = BandKind::Static;
            b.height = fontSize * 0.3528 * 2.2;
            ReportObject o = cell(0, tableWidth, b.height, templ(caption, l.number), Qt::AlignLeft);
            o.font.bold = true;
            o.font.size = fontSize + 2;
            b.objects.push_back(o);
            BodyItem item;
            item.band = b;
            t_.body.insert(t_.body.begin() + slot, std::move(item));
            for (int& s : tableSlots_)
                if (s >= slot)
                    ++s;
            captionShift_ = 1;
        } else {
            captionShift_ = 0;
        }

        // Column header, again on every page.
        if (!noHeader) {
            Band h;
            h.kind = BandKind::DataHeader;
            h.repeat = true;
            h.height = rowHeight + 1;
            h.grow = true;
            for (int i = 0; i < columns.size(); ++i) {
                ReportObject o = cell(xs[i], columns[i].width, h.height, literal(columns[i].caption), columns[i].align);
                o.font.bold = true;
                o.fill = headerFill;
                o.wrap = true;
                o.grow = true;
                o.frame = 15;
                o.lineWidth = 0.15;
                h.objects.push_back(o);
            }
            d.header = h;
        }

        // Rows.
        d.row.height = rowHeight;
        d.row.grow = anyGrow;
        d.row.stripe = stripe;
        for (int i = 0; i < columns.size(); ++i) {
            TextTemplate t;
            t.parts << TextTemplate::Part{QString(), columns[i].value};
            ReportObject o = cell(xs[i], columns[i].width, rowHeight, t, columns[i].align);
            o.format = columns[i].format;
            o.grow = columns[i].grow;
            o.wrap = columns[i].grow;
            d.row.objects.push_back(o);
        }
        ReportObject rowLine = hline(rowHeight, 0.1);
        rowLine.color = QColor(0xc8, 0xc8, 0xc8);
        d.row.objects.push_back(rowLine);

        // Label spans the columns before the first aggregate.
        int firstAgg = int(columns.size());
        for (int i = 0; i < columns.size(); ++i)
            if (!columns[i].aggregate.isEmpty() || !columns[i].foot.isEmpty()) {
                firstAgg = i;
                break;
            }
        const double labelWidth = firstAgg > 0 ? xs[firstAgg - 1] + columns[firstAgg - 1].width : 0;

        for (const GroupSpec& gs : groups) {
            Group g;
            g.key = gs.key;
            g.line = gs.line;
            if (gs.hasHeader) {
                Band gh;
                gh.kind = BandKind::GroupHeader;
                gh.height = rowHeight + 1;
                gh.newPageBefore = gs.newPage;
                ReportObject o = cell(0, tableWidth, gh.height, templ(gs.header, gs.line), Qt::AlignLeft);
                o.font.bold = true;
                gh.objects.push_back(o);
                g.header = gh;
            }
            if (gs.hasFooter && anyAggregate) {
                Band gf;
                gf.kind = BandKind::GroupFooter;
                gf.height = rowHeight + 1;
                if (labelWidth > 0) {
                    ReportObject o = cell(0, labelWidth, gf.height, templ(gs.footer, gs.line), Qt::AlignRight);
                    o.font.bold = true;
                    gf.objects.push_back(o);
                }
                for (int i = 0; i < columns.size(); ++i) {
                    if (columns[i].aggregate.isEmpty())
                        continue;
                    ReportObject o =
                        cell(xs[i], columns[i].width, gf.height, aggregateOf(columns[i], "group"), columns[i].align);
                    o.format = columns[i].format;
                    o.font.bold = true;
                    gf.objects.push_back(o);
                }
                gf.objects.push_back(hline(0, 0.2));
                g.footer = gf;
            }
            d.groups.push_back(std::move(g));
        }

        if (total && (anyAggregate || anyFoot)) {
            Band f;
            f.kind = BandKind::DataFooter;
            f.height = rowHeight + 1.5;
            if (labelWidth > 0) {
                ReportObject o = cell(0, labelWidth, f.height, literal(totalLabel), Qt::AlignRight);
                o.font.bold = true;
                f.objects.push_back(o);
            }
            for (int i = 0; i < columns.size(); ++i) {
                if (columns[i].aggregate.isEmpty() && columns[i].foot.isEmpty())
                    continue;
                ReportObject o =
                    cell(xs[i], columns[i].width, f.height,
                         columns[i].foot.isEmpty() ? aggregateOf(columns[i], "band") : templ(columns[i].foot, l.number),
                         columns[i].align);
                o.format = columns[i].format;
                o.font.bold = true;
                f.objects.push_back(o);
            }
            f.objects.push_back(hline(0.2, 0.3));
            f.objects.push_back(hline(0.8, 0.3));
            d.footer = f;
        }
        t_.body[size_t(slot + captionShift_)].data = std::move(d);
    }

    ReportTemplate& t_;
    std::optional<PageSetup> override_;
    std::vector<std::unique_ptr<SourceLine>> storage_;
    std::vector<const SourceLine*> pendingTables_;
    std::vector<int> tableSlots_;
    int captionShift_ = 0;
};

}  // namespace

TextTemplate parseTextTemplate(const QString& text, int line, QList<Diagnostic>* diagnostics)
{
    TextTemplate t;
    QString literal;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' && i + 1 < text.size() && (text[i + 1] == u'[' || text[i + 1] == u']')) {
            literal += text[++i];
            continue;
        }
        if (c != u'[') {
            literal += c;
            continue;
        }
        // Find the matching ']' outside quotes.
        int depth = 0;
        int end = -1;
        QChar quote;
        for (int j = i; j < text.size(); ++j) {
            const QChar d = text[j];
            if (!quote.isNull()) {
                if (d == quote)
                    quote = QChar();
                continue;
            }
            if (d == u'\'')
                quote = d;
            else if (d == u'[')
                ++depth;
            else if (d == u']' && --depth == 0) {
                end = j;
                break;
            }
        }
        if (end < 0) {
            if (diagnostics)
                diagnostics->append(Diagnostic{line, 0, QStringLiteral("metinde kapanmamış '['"), false});
            literal += text.mid(i);
            break;
        }
        if (!literal.isEmpty()) {
            t.parts << TextTemplate::Part{literal, nullptr};
            literal.clear();
        }
        auto e = expr::Expression::parse(text.mid(i + 1, end - i - 1));
        if (!e->ok() && diagnostics)
            diagnostics->append(Diagnostic{line, 0, QStringLiteral("[%1]: %2").arg(e->text(), e->error()), false});
        t.parts << TextTemplate::Part{QString(), e};
        i = end;
    }
    if (!literal.isEmpty() || t.parts.isEmpty())
        t.parts << TextTemplate::Part{literal, nullptr};
    return t;
}

ReportTemplate parseTemplate(const QString& text, const QString& name, const QString& folder,
                             const std::optional<PageSetup>& pageOverride)
{
    ReportTemplate t;
    t.name = name;
    t.folder = folder;
    t.font.family = QStringLiteral("DejaVu Sans");
    t.font.size = 9;
    Reader reader(t, pageOverride);
    reader.read(text);
    std::stable_sort(t.diagnostics.begin(), t.diagnostics.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
    // Drop the empty slots of tables that could not be read.
    t.body.erase(std::remove_if(t.body.begin(), t.body.end(), [](const BodyItem& b) { return !b.data && !b.band; }),
                 t.body.end());
    return t;
}

QString quoted(const QString& text)
{
    QString t = text;
    t.replace(u'\\', QLatin1String("\\\\"));
    t.replace(u'"', QLatin1String("\\\""));
    t.replace(u'\n', QLatin1String("\\n"));
    return u'"' + t + u'"';
}

QString columnRef(const QString& dataset, const QString& column)
{
    static const QRegularExpression plain(QStringLiteral("^[\\p{L}_][\\p{L}\\p{N}_]*$"));
    QString col = column;
    if (!plain.match(column).hasMatch()) {
        col.replace(u'\'', QLatin1String("''"));
        col = u'\'' + col + u'\'';
        // A quoted column needs its dataset: "ds.'sum(Tutar)'".
        if (dataset.isEmpty())
            return QStringLiteral("this.") + col;
    }
    return dataset.isEmpty() ? col : dataset + u'.' + col;
}

}  // namespace reports
