#include "reports/expression.h"

#include "db/values.h"
#include "reports/display_format.h"

#include <QLocale>
#include <QSet>
#include <cfloat>
#include <cmath>

namespace reports::expr {

namespace {

enum class Tok { End, Number, String, Ident, QuotedIdent, Op, LParen, RParen, Comma, Dot, Error };

struct Token {
    Tok kind = Tok::End;
    QString text;
    QVariant value;
    int pos = 0;
};

class Lexer {
public:
    explicit Lexer(const QString& s) : s_(s) {}

    Token next()
    {
        while (pos_ < s_.size() && s_[pos_].isSpace())
            ++pos_;
        Token t;
        t.pos = int(pos_);
        if (pos_ >= s_.size())
            return t;
        const QChar c = s_[pos_];
        if (c.isDigit()) {
            const qsizetype start = pos_;
            while (pos_ < s_.size() && s_[pos_].isDigit())
                ++pos_;
            bool isDouble = false;
            if (pos_ + 1 < s_.size() && s_[pos_] == u'.' && s_[pos_ + 1].isDigit()) {
                isDouble = true;
                ++pos_;
                while (pos_ < s_.size() && s_[pos_].isDigit())
                    ++pos_;
            }
            t.kind = Tok::Number;
            t.text = s_.mid(start, pos_ - start);
            if (isDouble)
                t.value = t.text.toDouble();
            else
                t.value = t.text.toLongLong();
            return t;
        }
        if (c == u'\'' || c == u'"') {
            // 'text' with '' for a quote; "text" likewise (also \").
            QString out;
            ++pos_;
            while (pos_ < s_.size()) {
                const QChar d = s_[pos_];
                if (d == u'\\' && c == u'"' && pos_ + 1 < s_.size()) {
                    out += s_[pos_ + 1];
                    pos_ += 2;
                    continue;
                }
                if (d == c) {
                    if (pos_ + 1 < s_.size() && s_[pos_ + 1] == c) {
                        out += c;
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    t.kind = prevWasDot_ ? Tok::QuotedIdent : Tok::String;
                    t.text = out;
                    t.value = out;
                    prevWasDot_ = false;
                    return t;
                }
                out += d;
                ++pos_;
            }
            t.kind = Tok::Error;
            t.text = QStringLiteral("kapanmamış metin");
            return t;
        }
        if (c.isLetter() || c == u'_') {
            const qsizetype start = pos_;
            while (pos_ < s_.size() && (s_[pos_].isLetterOrNumber() || s_[pos_] == u'_'))
                ++pos_;
            t.kind = Tok::Ident;
            t.text = s_.mid(start, pos_ - start);
            prevWasDot_ = false;
            return t;
        }
        prevWasDot_ = false;
        ++pos_;
        switch (c.unicode()) {
            case '(':
                t.kind = Tok::LParen;
                return t;
            case ')':
                t.kind = Tok::RParen;
                return t;
            case ',':
                t.kind = Tok::Comma;
                return t;
            case '.':
                t.kind = Tok::Dot;
                prevWasDot_ = true;
                return t;
            case '+':
            case '-':
            case '*':
            case '/':
            case '&':
                t.kind = Tok::Op;
                t.text = QString(c);
                return t;
            case '=':
                t.kind = Tok::Op;
                t.text = QStringLiteral("=");
                if (pos_ < s_.size() && s_[pos_] == u'=')
                    ++pos_;
                return t;
            case '!':
                if (pos_ < s_.size() && s_[pos_] == u'=') {
                    ++pos_;
                    t.kind = Tok::Op;
                    t.text = QStringLiteral("<>");
                    return t;
                }
                break;
            case '<':
                t.kind = Tok::Op;
                if (pos_ < s_.size() && (s_[pos_] == u'=' || s_[pos_] == u'>')) {
                    t.text = QString(c) + s_[pos_];
                    ++pos_;
                } else {
                    t.text = QStringLiteral("<");
                }
                return t;
            case '>':
                t.kind = Tok::Op;
                if (pos_ < s_.size() && s_[pos_] == u'=') {
                    t.text = QStringLiteral(">=");
                    ++pos_;
                } else {
                    t.text = QStringLiteral(">");
                }
                return t;
            default:
                break;
        }
        t.kind = Tok::Error;
        t.text = QStringLiteral("beklenmeyen karakter '%1'").arg(c);
        return t;
    }

private:
    const QString& s_;
    qsizetype pos_ = 0;
    bool prevWasDot_ = false;
};

const QSet<QString>& functionNames()
{
    static const QSet<QString> names = {
        QStringLiteral("iif"),   QStringLiteral("if"),       QStringLiteral("format"),    QStringLiteral("str"),
        QStringLiteral("text"),  QStringLiteral("num"),      QStringLiteral("val"),       QStringLiteral("upper"),
        QStringLiteral("lower"), QStringLiteral("trim"),     QStringLiteral("len"),       QStringLiteral("length"),
        QStringLiteral("left"),  QStringLiteral("right"),    QStringLiteral("mid"),       QStringLiteral("substr"),
        QStringLiteral("copy"),  QStringLiteral("replace"),  QStringLiteral("pos"),       QStringLiteral("round"),
        QStringLiteral("trunc"), QStringLiteral("int"),      QStringLiteral("abs"),       QStringLiteral("floor"),
        QStringLiteral("ceil"),  QStringLiteral("coalesce"), QStringLiteral("nz"),        QStringLiteral("isnull"),
        QStringLiteral("empty"), QStringLiteral("date"),     QStringLiteral("day"),       QStringLiteral("month"),
        QStringLiteral("year"),  QStringLiteral("now"),      QStringLiteral("today"),     QStringLiteral("monthname"),
        QStringLiteral("sum"),   QStringLiteral("count"),    QStringLiteral("avg"),       QStringLiteral("min"),
        QStringLiteral("max"),   QStringLiteral("contains"), QStringLiteral("startswith")};
    return names;
}

Aggregate aggregateOf(const QString& f)
{
    if (f == QLatin1String("sum"))
        return Aggregate::Sum;
    if (f == QLatin1String("count"))
        return Aggregate::Count;
    if (f == QLatin1String("avg"))
        return Aggregate::Avg;
    if (f == QLatin1String("min"))
        return Aggregate::Min;
    if (f == QLatin1String("max"))
        return Aggregate::Max;
    return Aggregate::None;
}

std::optional<Scope> scopeOf(const Node& n)
{
    if (n.kind != Node::Kind::Name || n.parts.size() != 1)
        return std::nullopt;
    const QString s = n.parts[0].toLower();
    if (s == QLatin1String("group"))
        return Scope::Group;
    if (s == QLatin1String("band"))
        return Scope::Band;
    if (s == QLatin1String("report"))
        return Scope::Report;
    if (s == QLatin1String("page"))
        return Scope::Page;
    return std::nullopt;
}

class Parser {
public:
    explicit Parser(const QString& text) : lexer_(text) { advance(); }

    std::unique_ptr<Node> parseAll()
    {
        auto n = parseOr();
        if (!error_.isEmpty())
            return nullptr;
        if (tok_.kind != Tok::End) {
            fail(QStringLiteral("ifade fazla: '%1'").arg(tok_.text.isEmpty() ? QStringLiteral("?") : tok_.text));
            return nullptr;
        }
        return n;
    }
    QString error_;
    int errorPos_ = 0;

private:
    void advance()
    {
        tok_ = lexer_.next();
        if (tok_.kind == Tok::Error)
            fail(tok_.text);
    }
    void fail(const QString& message)
    {
        if (error_.isEmpty()) {
            error_ = message;
            errorPos_ = tok_.pos;
        }
    }
    bool isWord(const char* w) const
    {
        return tok_.kind == Tok::Ident && tok_.text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
    }
    bool isOp(const char* op) const { return tok_.kind == Tok::Op && tok_.text == QLatin1String(op); }

    static std::unique_ptr<Node> binary(Op op, std::unique_ptr<Node> l, std::unique_ptr<Node> r)
    {
        auto n = std::make_unique<Node>();
        n->kind = Node::Kind::Binary;
        n->op = op;
        n->args.push_back(std::move(l));
        n->args.push_back(std::move(r));
        return n;
    }

    std::unique_ptr<Node> parseOr()
    {
        auto l = parseAnd();
        while (error_.isEmpty() && isWord("or")) {
            advance();
            l = binary(Op::Or, std::move(l), parseAnd());
        }
        return l;
    }
    std::unique_ptr<Node> parseAnd()
    {
        auto l = parseNot();
        while (error_.isEmpty() && isWord("and")) {
            advance();
            l = binary(Op::And, std::move(l), parseNot());
        }
        return l;
    }
    std::unique_ptr<Node> parseNot()
    {
        if (isWord("not")) {
            advance();
            auto n = std::make_unique<Node>();
            n->kind = Node::Kind::Unary;
            n->op = Op::Not;
            n->args.push_back(parseNot());
            return n;
        }
        return parseCompare();
    }
    std::unique_ptr<Node> parseCompare()
    {
        auto l = parseAdd();
        while (error_.isEmpty() && tok_.kind == Tok::Op) {
            Op op;
            if (isOp("="))
                op = Op::Eq;
            else if (isOp("<>"))
                op = Op::Ne;
            else if (isOp("<"))
                op = Op::Lt;
            else if (isOp("<="))
                op = Op::Le;
            else if (isOp(">"))
                op = Op::Gt;
            else if (isOp(">="))
                op = Op::Ge;
            else
                break;
            advance();
            l = binary(op, std::move(l), parseAdd());
        }
        return l;
    }
    std::unique_ptr<Node> parseAdd()
    {
        auto l = parseMul();
        while (error_.isEmpty() && (isOp("+") || isOp("-") || isOp("&"))) {
            const Op op = isOp("+") ? Op::Add : isOp("-") ? Op::Sub : Op::Join;
            advance();
            l = binary(op, std::move(l), parseMul());
        }
        return l;
    }
    std::unique_ptr<Node> parseMul()
    {
        auto l = parseUnary();
        while (error_.isEmpty() && (isOp("*") || isOp("/") || isWord("mod") || isWord("div"))) {
            const Op op = isOp("*") ? Op::Mul : isOp("/") ? Op::Div : isWord("mod") ? Op::Mod : Op::Div;
            advance();
            l = binary(op, std::move(l), parseUnary());
        }
        return l;
    }
    std::unique_ptr<Node> parseUnary()
    {
        if (isOp("-") || isOp("+")) {
            const bool neg = isOp("-");
            advance();
            auto operand = parseUnary();
            if (!neg)
                return operand;
            auto n = std::make_unique<Node>();
            n->kind = Node::Kind::Unary;
            n->op = Op::Neg;
            n->args.push_back(std::move(operand));
            return n;
        }
        return parsePrimary();
    }
    std::unique_ptr<Node> parsePrimary()
    {
        auto n = std::make_unique<Node>();
        switch (tok_.kind) {
            case Tok::Number:
            case Tok::String:
                n->literal = tok_.value;
                advance();
                return n;
            case Tok::LParen: {
                advance();
                auto inner = parseOr();
                if (tok_.kind != Tok::RParen)
                    fail(QStringLiteral("')' bekleniyor"));
                else
                    advance();
                return inner;
            }
            case Tok::Ident: {
                const QString word = tok_.text;
                const QString lower = word.toLower();
                advance();
                if (lower == QLatin1String("true") || lower == QLatin1String("false")) {
                    n->literal = lower == QLatin1String("true");
                    return n;
                }
                if (lower == QLatin1String("null")) {
                    n->literal = QVariant();
                    return n;
                }
                if (tok_.kind == Tok::LParen)
                    return parseCall(lower);
                n->kind = Node::Kind::Name;
                n->parts << word;
                if (tok_.kind == Tok::Dot) {
                    advance();
                    if (tok_.kind == Tok::Ident || tok_.kind == Tok::QuotedIdent || tok_.kind == Tok::String) {
                        n->parts << tok_.text;
                        advance();
                    } else {
                        fail(QStringLiteral("'.' sonrası alan adı bekleniyor"));
                    }
                }
                return n;
            }
            case Tok::End:
                fail(QStringLiteral("ifade eksik"));
                return n;
            default:
                fail(QStringLiteral("beklenmeyen '%1'").arg(tok_.text));
                return n;
        }
    }
    std::unique_ptr<Node> parseCall(const QString& name)
    {
        const int at = tok_.pos;
        advance();  // (
        auto n = std::make_unique<Node>();
        n->kind = Node::Kind::Call;
        n->function = name;
        if (tok_.kind != Tok::RParen) {
            for (;;) {
                n->args.push_back(parseOr());
                if (!error_.isEmpty())
                    return n;
                if (tok_.kind == Tok::Comma) {
                    advance();
                    continue;
                }
                break;
            }
        }
        if (tok_.kind != Tok::RParen) {
            fail(QStringLiteral("')' bekleniyor"));
            return n;
        }
        advance();
        if (!functionNames().contains(name)) {
            error_ = QStringLiteral("bilinmeyen işlev '%1'").arg(name);
            errorPos_ = at;
            return n;
        }
        n->aggregate = aggregateOf(name);
        if (n->aggregate != Aggregate::None) {
            if (!n->args.empty()) {
                if (auto s = scopeOf(*n->args.back()); s && (n->args.size() == 2 || n->aggregate == Aggregate::Count)) {
                    n->scope = *s;
                    n->args.pop_back();
                }
            }
            if (n->args.size() > 1) {
                // min(a, b) / max(a, b): plain functions of two values.
                if (n->aggregate == Aggregate::Min || n->aggregate == Aggregate::Max)
                    n->aggregate = Aggregate::None;
                else
                    fail(QStringLiteral("%1() tek değer alır").arg(name));
            } else if (n->args.empty() && n->aggregate != Aggregate::Count) {
                fail(QStringLiteral("%1() bir değer ister").arg(name));
            }
        }
        return n;
    }

    Lexer lexer_;
    Token tok_;
};

bool mentionsIn(const Node* n, const QString& lower)
{
    if (!n)
        return false;
    if (n->kind == Node::Kind::Name && n->parts.size() == 1 && n->parts[0].toLower() == lower)
        return true;
    for (const auto& a : n->args)
        if (mentionsIn(a.get(), lower))
            return true;
    return false;
}

void datasetsIn(const Node* n, QStringList& out)
{
    if (!n)
        return;
    if (n->kind == Node::Kind::Name && n->parts.size() == 2) {
        const QString ds = n->parts[0].toLower();
        if (!out.contains(ds))
            out << ds;
    }
    for (const auto& a : n->args)
        datasetsIn(a.get(), out);
}

bool isTextual(const QVariant& v)
{
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QChar;
}

bool isDateTyped(const QVariant& v)
{
    return v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate;
}

int compareValues(const QVariant& a, const QVariant& b)
{
    if (a.isNull() && b.isNull())
        return 0;
    if (isDateTyped(a) || isDateTyped(b)) {
        const auto da = dateTimeOf(a);
        const auto dbt = dateTimeOf(b);
        if (da && dbt)
            return *da < *dbt ? -1 : (*da > *dbt ? 1 : 0);
    }
    const bool na = isNumeric(a) || a.typeId() == QMetaType::Bool || (a.isNull() && isNumeric(b));
    const bool nb = isNumeric(b) || b.typeId() == QMetaType::Bool || (b.isNull() && isNumeric(a));
    if (na || nb) {
        const auto x = a.isNull() ? std::optional<double>(0) : numberOf(a);
        const auto y = b.isNull() ? std::optional<double>(0) : numberOf(b);
        if (x && y)
            return *x < *y ? -1 : (*x > *y ? 1 : 0);
    }
    const int c = QString::compare(toText(a), toText(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

QVariant numberResult(double d)
{
    return d;
}

QVariant callFunction(const Node& n, Context& ctx)
{
    const QString& f = n.function;
    auto arg = [&](size_t i) { return i < n.args.size() ? evaluate(*n.args[i], ctx) : QVariant(); };
    const size_t argc = n.args.size();
    if (f == QLatin1String("iif") || f == QLatin1String("if"))
        return truthy(arg(0)) ? arg(1) : arg(2);
    if (f == QLatin1String("format"))
        return formatValue(arg(0), toText(arg(1)));
    if (f == QLatin1String("str") || f == QLatin1String("text"))
        return toText(arg(0));
    if (f == QLatin1String("num") || f == QLatin1String("val"))
        return toNumber(arg(0));
    if (f == QLatin1String("upper"))
        return QLocale(QLocale::Turkish).toUpper(toText(arg(0)));
    if (f == QLatin1String("lower"))
        return db::turkishLower(toText(arg(0)));
    if (f == QLatin1String("trim"))
        return toText(arg(0)).trimmed();
    if (f == QLatin1String("len") || f == QLatin1String("length"))
        return qint64(toText(arg(0)).size());
    if (f == QLatin1String("left"))
        return toText(arg(0)).left(qMax(0, int(toNumber(arg(1)))));
    if (f == QLatin1String("right"))
        return toText(arg(0)).right(qMax(0, int(toNumber(arg(1)))));
    if (f == QLatin1String("mid") || f == QLatin1String("substr") || f == QLatin1String("copy")) {
        const QString s = toText(arg(0));
        const int from = qMax(1, int(toNumber(arg(1)))) - 1;
        return argc > 2 ? s.mid(from, qMax(0, int(toNumber(arg(2))))) : s.mid(from);
    }
    if (f == QLatin1String("replace"))
        return toText(arg(0)).replace(toText(arg(1)), toText(arg(2)));
    if (f == QLatin1String("pos"))
        return qint64(toText(arg(1)).indexOf(toText(arg(0))) + 1);
    if (f == QLatin1String("contains"))
        return toText(arg(0)).contains(toText(arg(1)), Qt::CaseInsensitive);
    if (f == QLatin1String("startswith"))
        return toText(arg(0)).startsWith(toText(arg(1)), Qt::CaseInsensitive);
    if (f == QLatin1String("round")) {
        const double p = std::pow(10.0, argc > 1 ? toNumber(arg(1)) : 0.0);
        const double v = toNumber(arg(0));
        return numberResult(std::round(v * p * (1.0 + 4 * DBL_EPSILON)) / p);
    }
    if (f == QLatin1String("trunc") || f == QLatin1String("int"))
        return numberResult(std::trunc(toNumber(arg(0))));
    if (f == QLatin1String("abs"))
        return numberResult(std::fabs(toNumber(arg(0))));
    if (f == QLatin1String("floor"))
        return numberResult(std::floor(toNumber(arg(0))));
    if (f == QLatin1String("ceil"))
        return numberResult(std::ceil(toNumber(arg(0))));
    if (f == QLatin1String("coalesce") || f == QLatin1String("nz")) {
        for (size_t i = 0; i < argc; ++i) {
            const QVariant v = arg(i);
            if (!v.isNull() && !(isTextual(v) && v.toString().isEmpty()))
                return v;
        }
        return f == QLatin1String("nz") && argc == 1 ? QVariant(0) : QVariant();
    }
    if (f == QLatin1String("isnull") || f == QLatin1String("empty")) {
        const QVariant v = arg(0);
        return v.isNull() || (isTextual(v) && v.toString().trimmed().isEmpty());
    }
    if (f == QLatin1String("min") || f == QLatin1String("max")) {
        const QVariant a = arg(0);
        const QVariant b = arg(1);
        const int c = compareValues(a, b);
        return (f == QLatin1String("min")) == (c <= 0) ? a : b;
    }
    if (f == QLatin1String("now"))
        return QDateTime::currentDateTime();
    if (f == QLatin1String("today"))
        return QDate::currentDate();
    if (f == QLatin1String("date")) {
        const auto dt = dateTimeOf(arg(0));
        return dt ? QVariant(dt->date()) : QVariant();
    }
    if (f == QLatin1String("day") || f == QLatin1String("month") || f == QLatin1String("year")) {
        const auto dt = dateTimeOf(arg(0));
        if (!dt)
            return {};
        const QDate d = dt->date();
        return qint64(f == QLatin1String("day") ? d.day() : f == QLatin1String("month") ? d.month() : d.year());
    }
    if (f == QLatin1String("monthname")) {
        const QVariant v = arg(0);
        int m = 0;
        if (const auto dt = dateTimeOf(v))
            m = dt->date().month();
        else
            m = int(toNumber(v));
        if (m < 1 || m > 12)
            return QString();
        return QLocale(QLocale::Turkish).standaloneMonthName(m);
    }
    return {};
}

}  // namespace

std::shared_ptr<Expression> Expression::parse(const QString& text)
{
    auto e = std::make_shared<Expression>();
    e->text_ = text;
    Parser p(text);
    e->root_ = p.parseAll();
    if (!p.error_.isEmpty()) {
        e->error_ = p.error_;
        e->errorOffset_ = p.errorPos_;
        e->root_.reset();
    }
    return e;
}

bool Expression::mentions(const QString& name) const
{
    return mentionsIn(root_.get(), name.toLower());
}

void Expression::collectDatasets(QStringList& out) const
{
    datasetsIn(root_.get(), out);
}

bool isKnownFunction(const QString& name)
{
    return functionNames().contains(name.toLower());
}

bool truthy(const QVariant& v)
{
    if (v.isNull())
        return false;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (isNumeric(v))
        return v.toDouble() != 0.0;
    if (isTextual(v)) {
        const QString s = v.toString().trimmed();
        return !s.isEmpty() && s != QLatin1String("0") && s.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
    }
    return true;
}

double toNumber(const QVariant& v)
{
    if (v.isNull())
        return 0.0;
    if (auto n = numberOf(v))
        return *n;
    if (isTextual(v)) {
        // Turkish-style typed numbers: "1.234,5".
        QString s = v.toString().trimmed();
        s.remove(u'.');
        s.replace(u',', u'.');
        bool ok = false;
        const double d = s.toDouble(&ok);
        return ok ? d : 0.0;
    }
    return 0.0;
}

QString toText(const QVariant& v)
{
    return defaultText(v);
}

QVariant evaluate(const Node& n, Context& ctx)
{
    switch (n.kind) {
        case Node::Kind::Literal:
            return n.literal;
        case Node::Kind::Name:
            switch (n.bound) {
                case Node::Bound::Column:
                    return ctx.column(n.slot, n.column);
                case Node::Bound::Variable:
                    return ctx.variable(n.slot);
                case Node::Bound::Parameter:
                    return n.parameter;
                case Node::Bound::Dataset:
                    return qint64(ctx.datasetCount(n.slot, Scope::Report));
                default:
                    return {};
            }
        case Node::Kind::Unary: {
            const QVariant v = evaluate(*n.args[0], ctx);
            if (n.op == Op::Not)
                return !truthy(v);
            if (isNumeric(v) && v.typeId() != QMetaType::Double)
                return -v.toLongLong();
            return -toNumber(v);
        }
        case Node::Kind::Binary: {
            if (n.op == Op::And)
                return truthy(evaluate(*n.args[0], ctx)) && truthy(evaluate(*n.args[1], ctx));
            if (n.op == Op::Or)
                return truthy(evaluate(*n.args[0], ctx)) || truthy(evaluate(*n.args[1], ctx));
            const QVariant a = evaluate(*n.args[0], ctx);
            const QVariant b = evaluate(*n.args[1], ctx);
            switch (n.op) {
                case Op::Join:
                    return toText(a) + toText(b);
                case Op::Add:
                    if (isTextual(a) || isTextual(b))
                        return toText(a) + toText(b);
                    if (isDateTyped(a) && !isDateTyped(b))
                        return dateTimeOf(a)->addSecs(qint64(std::llround(toNumber(b) * 86400.0)));
                    if (isNumeric(a) && isNumeric(b) && a.typeId() != QMetaType::Double &&
                        b.typeId() != QMetaType::Double)
                        return a.toLongLong() + b.toLongLong();
                    return toNumber(a) + toNumber(b);
                case Op::Sub:
                    if (isDateTyped(a) && isDateTyped(b))
                        return double(dateTimeOf(b)->secsTo(*dateTimeOf(a))) / 86400.0;
                    if (isNumeric(a) && isNumeric(b) && a.typeId() != QMetaType::Double &&
                        b.typeId() != QMetaType::Double)
                        return a.toLongLong() - b.toLongLong();
                    return toNumber(a) - toNumber(b);
                case Op::Mul:
                    if (isNumeric(a) && isNumeric(b) && a.typeId() != QMetaType::Double &&
                        b.typeId() != QMetaType::Double)
                        return a.toLongLong() * b.toLongLong();
                    return toNumber(a) * toNumber(b);
                case Op::Div: {
                    const double d = toNumber(b);
                    if (d == 0.0)
                        return 0.0;  // a report prints a zero, not an error
                    return toNumber(a) / d;
                }
                case Op::Mod: {
                    const qint64 d = qint64(toNumber(b));
                    return d == 0 ? qint64(0) : qint64(toNumber(a)) % d;
                }
                case Op::Eq:
                    return compareValues(a, b) == 0;
                case Op::Ne:
                    return compareValues(a, b) != 0;
                case Op::Lt:
                    return compareValues(a, b) < 0;
                case Op::Le:
                    return compareValues(a, b) <= 0;
                case Op::Gt:
                    return compareValues(a, b) > 0;
                case Op::Ge:
                    return compareValues(a, b) >= 0;
                default:
                    return {};
            }
        }
        case Node::Kind::Call:
            if (n.aggregate != Aggregate::None) {
                if (n.aggregate == Aggregate::Count && n.args.size() == 1 && n.args[0]->kind == Node::Kind::Name &&
                    n.args[0]->bound == Node::Bound::Dataset)
                    return qint64(ctx.datasetCount(n.args[0]->slot, n.scope));
                return ctx.aggregate(n);
            }
            return callFunction(n, ctx);
    }
    return {};
}

}  // namespace reports::expr
