#pragma once

#include "reports/expression.h"

#include <QColor>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The parsed form of a report template (reports/<name>.fr3). The text format
// is described in docs/report-templates.md; template_parser.h reads it.
// Lengths are millimetres, font sizes points.
namespace reports {

struct FontSpec {
    QString family;
    double size = 0;  // 0: inherit
    std::optional<bool> bold, italic, underline;
};

// Text with embedded expressions: "Sayfa [Page] / [Pages]".
struct TextTemplate {
    struct Part {
        QString literal;
        expr::ExpressionPtr expression;  // null for a literal part
    };
    QList<Part> parts;
    // A lone expression: its raw value is kept (numbers stay numbers in .xlsx).
    bool singleExpression() const { return parts.size() == 1 && parts[0].expression; }
    bool isConstant() const
    {
        for (const auto& p : parts)
            if (p.expression)
                return false;
        return true;
    }
};

enum class BarcodeType { Code39, Code128, Ean13 };

struct ReportObject {
    enum class Kind { Text, Line, Rect, Image, Barcode };
    Kind kind = Kind::Text;
    QRectF rect;  // relative to the band's top-left corner
    int line = 0;

    // Text (also "field")
    TextTemplate text;
    QString format;
    FontSpec font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool wrap = false;
    bool grow = false;
    bool hideZero = false;
    double padding = 0.5;
    QColor color;  // text, line and frame colour
    QColor fill;
    int frame = 0;  // sides: 1 left, 2 top, 4 right, 8 bottom
    double lineWidth = 0.2;

    // Image
    QString file;                     // relative to the template's folder
    expr::ExpressionPtr imageSource;  // a column holding the picture
    bool keepAspect = true;

    // Barcode
    BarcodeType barcode = BarcodeType::Code128;
    expr::ExpressionPtr barcodeValue;
    bool barcodeText = true;
};

enum class BandKind {
    Title,
    PageHeader,
    ColumnHeader,
    DataHeader,
    GroupHeader,
    Data,
    GroupFooter,
    DataFooter,
    Summary,
    PageFooter,
    Static
};

QString bandKindName(BandKind kind);

struct Band {
    BandKind kind = BandKind::Data;
    double height = 0;
    bool grow = false;
    bool repeat = false;         // headers: again on every page
    bool newPageBefore = false;  // group headers and summary: start on a new page
    bool newPageAfter = false;
    bool onFirstPage = true;  // page header and footer
    bool onLastPage = true;
    bool keepWithData = true;
    QColor stripe;  // data: every second row
    expr::ExpressionPtr visibleIf;
    std::vector<ReportObject> objects;
    int line = 0;
};

struct Group {
    expr::ExpressionPtr key;
    std::optional<Band> header;
    std::optional<Band> footer;
    int line = 0;
};

struct DataBand {
    QString dataset;     // as written
    QString linkDetail;  // detail column...
    QString linkMaster;  // ...equal to this master column
    expr::ExpressionPtr filter;
    std::optional<Band> header;
    std::optional<Band> footer;
    std::vector<Group> groups;  // outer to inner
    Band row;
    std::vector<DataBand> details;
    bool printIfEmpty = false;
    int line = 0;
};

// One entry of the report body: a data band or a band printed once.
struct BodyItem {
    std::optional<DataBand> data;
    std::optional<Band> band;
};

struct DatasetDecl {
    QString name;
    QString sql;
    int line = 0;
};

struct Diagnostic {
    int line = 0;  // 1-based; 0 for the whole file
    int column = 0;
    QString message;
    bool warning = false;
    QString toString() const;
};

// The page set-up chosen in the preview, replacing the template's own.
struct PageSetup {
    QPageSize size = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins = QMarginsF(10, 10, 10, 10);
};

struct ReportTemplate {
    QString name;    // file name without .fr3
    QString title;   // "report" statement
    QString folder;  // for relative image paths
    QPageSize pageSize = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins = QMarginsF(10, 10, 10, 10);
    FontSpec font;  // report default
    std::optional<Band> title_;
    std::optional<Band> pageHeader;
    std::optional<Band> columnHeader;
    std::vector<BodyItem> body;
    std::optional<Band> summary;
    std::optional<Band> pageFooter;
    QList<DatasetDecl> datasets;
    QList<Diagnostic> diagnostics;

    QSizeF pageSizeMm() const;  // with the orientation applied
    double contentWidth() const;
    bool hasErrors() const;
    // Every expression of the template, for checks.
    void forEachExpression(const std::function<void(const expr::Expression&)>& f) const;
};

}  // namespace reports
