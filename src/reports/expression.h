#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

// Expressions of report templates: `fatura.Tutar * 1.18`, `sum(Tutar)`,
// `iif(Adet > 0, 'var', 'yok')`, `'Sayfa ' + Page + ' / ' + Pages`.
// Parsed once with the template; names are resolved against the data of one
// run by the layout engine (Node::bound*), then evaluated per band.
namespace reports::expr {

enum class Op {
    Add,
    Sub,
    Mul,
    Div,
    Mod,
    Join,  // + - * / mod &
    Eq,
    Ne,
    Lt,
    Le,
    Gt,
    Ge,  // = <> < <= > >=
    And,
    Or,
    Not,
    Neg
};

enum class Aggregate { None, Sum, Count, Avg, Min, Max };
enum class Scope { Default, Group, Band, Report, Page };

struct Node {
    enum class Kind { Literal, Name, Unary, Binary, Call };
    Kind kind = Kind::Literal;
    QVariant literal;
    QStringList parts;  // Name: "Tutar" or {"fatura", "Tutar"}
    QString function;   // Call: lower-case function name
    Op op = Op::Add;
    std::vector<std::unique_ptr<Node>> args;  // operands or call arguments
    Aggregate aggregate = Aggregate::None;    // Call of sum/count/avg/min/max
    Scope scope = Scope::Default;

    // Resolution of a Name for the current run (set by the layout engine).
    enum class Bound { Unbound, Column, Variable, Parameter, Dataset, Unknown };
    mutable Bound bound = Bound::Unbound;
    mutable int slot = -1;    // dataset slot (Column, Dataset) or variable id
    mutable int column = -1;  // column index (Column)
    mutable QVariant parameter;
};

class Expression {
public:
    Expression() = default;
    // Parses `text`; on failure error() says what and where (0-based offset).
    static std::shared_ptr<Expression> parse(const QString& text);

    const Node* root() const { return root_.get(); }
    const QString& text() const { return text_; }
    bool ok() const { return root_ != nullptr && error_.isEmpty(); }
    const QString& error() const { return error_; }
    int errorOffset() const { return errorOffset_; }

    // True when the expression names the variable (case-insensitively).
    bool mentions(const QString& name) const;
    // Every dataset-qualified name ("fatura" of fatura.Tutar), lower-cased.
    void collectDatasets(QStringList& out) const;

private:
    QString text_;
    std::unique_ptr<Node> root_;
    QString error_;
    int errorOffset_ = 0;
};
using ExpressionPtr = std::shared_ptr<Expression>;

// What an evaluation needs from the engine.
class Context {
public:
    virtual ~Context() = default;
    virtual QVariant column(int slot, int column) const = 0;
    virtual QVariant variable(int id) const = 0;
    virtual QVariant aggregate(const Node& call) = 0;
    // Rows of the dataset in the current scope (count(dataset)).
    virtual int datasetCount(int slot, Scope scope) = 0;
};

QVariant evaluate(const Node& node, Context& context);
inline QVariant evaluate(const Expression& e, Context& context)
{
    return e.root() ? evaluate(*e.root(), context) : QVariant();
}

// Helpers shared with the engine.
bool truthy(const QVariant& v);
double toNumber(const QVariant& v);
QString toText(const QVariant& v);

// Known functions (lower-case), for the designer's checks.
bool isKnownFunction(const QString& name);

}  // namespace reports::expr
