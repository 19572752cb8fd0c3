#include "reports/layout_engine.h"

#include "reports/barcode.h"
#include "reports/display_format.h"
#include "reports/page_painter.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <cmath>

namespace reports {

namespace {

using expr::Node;
using expr::Scope;

enum Variable { VarPage, VarPages, VarDate, VarTime, VarNow, VarLine, VarTitle };

const QHash<QString, int>& variables()
{
    static const QHash<QString, int> v = {
        {QStringLiteral("page"), VarPage},        {QStringLiteral("pages"), VarPages},
        {QStringLiteral("totalpages"), VarPages}, {QStringLiteral("date"), VarDate},
        {QStringLiteral("time"), VarTime},        {QStringLiteral("now"), VarNow},
        {QStringLiteral("line"), VarLine},        {QStringLiteral("reporttitle"), VarTitle},
    };
    return v;
}

void collectDataBand(const DataBand& d, QStringList& out)
{
    const QString n = d.dataset.toLower();
    if (!n.isEmpty() && !out.contains(n))
        out << n;
    for (const DataBand& det : d.details)
        collectDataBand(det, out);
}

struct Evaluated {
    std::vector<QString> texts;
    std::vector<QVariant> values;
    std::vector<double> heights;  // grown heights of grow objects (0 = as designed)
    double height = 0;
};

class Engine : public expr::Context {
public:
    Engine(const ReportTemplate& t, const std::vector<LoadedDataset>& ds, const LayoutOptions& o)
        : t_(t), ds_(ds), options_(o)
    {
        for (size_t i = 0; i < ds_.size(); ++i)
            slotByName_.insert(ds_[i].name.toLower(), int(i));
        for (auto it = o.parameters.cbegin(); it != o.parameters.cend(); ++it)
            params_.insert(it.key().toLower(), it.value());
        const QSizeF size = t_.pageSizeMm();
        pageW_ = size.width();
        pageH_ = size.height();
        mainSlot_ = -1;
        for (const BodyItem& b : t_.body)
            if (b.data) {
                mainSlot_ = slotOf(b.data->dataset);
                break;
            }
    }

    Document run()
    {
        bind();
        bool needsTotal = false;
        t_.forEachExpression([&](const expr::Expression& e) {
            if (e.mentions(QStringLiteral("pages")) || e.mentions(QStringLiteral("totalpages")))
                needsTotal = true;
        });
        if (needsTotal) {
            // A first pass only counts pages: no texts unless a band grows.
            counting_ = true;
            pass();
            totalPages_ = int(doc_.pages.size());
            counting_ = false;
        }
        pass();
        doc_.diagnostics = t_.diagnostics;
        for (const QString& w : warningList_)
            doc_.diagnostics << Diagnostic{0, 0, w, true};
        doc_.title = t_.title.isEmpty() ? t_.name : t_.title;
        return std::move(doc_);
    }

    // ---- expr::Context --------------------------------------------------
    QVariant column(int slot, int col) const override
    {
        if (slot < 0 || size_t(slot) >= ds_.size())
            return {};
        const int row = cursor_[size_t(slot)];
        const auto& rows = ds_[size_t(slot)].rows->rows;
        if (row < 0 || size_t(row) >= rows.size())
            return {};
        return rows[size_t(row)].at(col);
    }

    QVariant variable(int id) const override
    {
        switch (id) {
            case VarPage:
                return qint64(doc_.pages.size());
            case VarPages:
                return qint64(totalPages_);
            case VarDate:
                return options_.now.date();
            case VarTime:
                return options_.now.time().toString(QStringLiteral("HH:mm:ss"));
            case VarNow:
                return options_.now;
            case VarLine:
                return frames_.empty() ? qint64(0) : qint64(frames_.back()->line);
            case VarTitle:
                return t_.title;
            default:
                return {};
        }
    }

    QVariant aggregate(const Node& call) override
    {
        int target = call.slot;
        if (target < 0)
            target = scope_.frame ? scope_.frame->slot : mainSlot_;
        if (target < 0)
            return {};
        const Scope scope = call.scope == Scope::Default ? scope_.kind : call.scope;
        const bool cacheable = scope == Scope::Report;
        if (cacheable) {
            auto it = reportCache_.constFind(&call);
            if (it != reportCache_.constEnd())
                return *it;
        }
        const std::vector<int> rows = rowsFor(target, scope);
        const int saved = cursor_[size_t(target)];
        double sum = 0;
        qint64 count = 0;
        QVariant best;
        const Node* arg = call.args.empty() ? nullptr : call.args[0].get();
        for (int r : rows) {
            cursor_[size_t(target)] = r;
            if (!arg) {
                ++count;
                continue;
            }
            const QVariant v = expr::evaluate(*arg, *this);
            if (v.isNull())
                continue;
            ++count;
            switch (call.aggregate) {
                case expr::Aggregate::Sum:
                case expr::Aggregate::Avg:
                    sum += expr::toNumber(v);
                    break;
                case expr::Aggregate::Min:
                case expr::Aggregate::Max: {
                    if (!best.isValid()) {
                        best = v;
                        break;
                    }
                    const bool numeric = isNumeric(v) && isNumeric(best);
                    const bool less = numeric ? expr::toNumber(v) < expr::toNumber(best)
                                              : QString::compare(expr::toText(v), expr::toText(best)) < 0;
                    if ((call.aggregate == expr::Aggregate::Min) == less)
                        best = v;
                    break;
                }
                default:
                    break;
            }
        }
        cursor_[size_t(target)] = saved;
        QVariant result;
        switch (call.aggregate) {
            case expr::Aggregate::Sum:
                result = sum;
                break;
            case expr::Aggregate::Count:
                result = count;
                break;
            case expr::Aggregate::Avg:
                result = count ? QVariant(sum / double(count)) : QVariant();
                break;
            default:
                result = best;
                break;
        }
        if (cacheable)
            reportCache_.insert(&call, result);
        return result;
    }

    int datasetCount(int slot, Scope scope) override
    {
        return int(rowsFor(slot, scope == Scope::Default ? scope_.kind : scope).size());
    }

private:
    struct Frame {
        const DataBand* band = nullptr;
        int slot = -1;
        std::vector<int> rows;
        std::vector<const std::vector<int>*> runs;  // current run per group level
        std::vector<bool> groupOpen;
        bool headerPrinted = false;
        int line = 0;
    };
    struct ScopeInfo {
        Scope kind = Scope::Report;
        Frame* frame = nullptr;
        int level = -1;
    };

    // ---- names ----------------------------------------------------------
    int slotOf(const QString& dataset) const { return slotByName_.value(dataset.toLower(), -1); }

    void warn(const QString& message)
    {
        if (!warningSet_.contains(message)) {
            warningSet_.insert(message);
            warningList_ << message;
        }
    }

    int firstColumnSlot(const Node& n) const
    {
        if (n.kind == Node::Kind::Name && n.bound == Node::Bound::Column)
            return n.slot;
        for (const auto& a : n.args)
            if (int s = firstColumnSlot(*a); s >= 0)
                return s;
        return -1;
    }

    void bindNode(const Node& n, int bandSlot)
    {
        for (const auto& a : n.args)
            bindNode(*a, bandSlot);
        if (n.kind == Node::Kind::Call && n.aggregate != expr::Aggregate::None) {
            n.slot = n.args.empty() ? bandSlot : firstColumnSlot(*n.args[0]);
            if (n.slot < 0 && !n.args.empty() && n.args[0]->bound == Node::Bound::Dataset)
                n.slot = n.args[0]->slot;
            return;
        }
        if (n.kind != Node::Kind::Name)
            return;
        n.bound = Node::Bound::Unknown;
        if (n.parts.size() == 1) {
            const QString name = n.parts[0].toLower();
            if (auto it = variables().constFind(name); it != variables().constEnd()) {
                n.bound = Node::Bound::Variable;
                n.slot = *it;
                return;
            }
            if (auto it = params_.constFind(name); it != params_.constEnd()) {
                n.bound = Node::Bound::Parameter;
                n.parameter = *it;
                return;
            }
            if (bandSlot >= 0) {
                const auto& cols = ds_[size_t(bandSlot)].rows->columns;
                const int c = cols ? cols->indexOf(n.parts[0]) : -1;
                if (c >= 0) {
                    n.bound = Node::Bound::Column;
                    n.slot = bandSlot;
                    n.column = c;
                    return;
                }
            }
            if (int s = slotOf(name); s >= 0) {
                n.bound = Node::Bound::Dataset;
                n.slot = s;
                return;
            }
            if (name == QLatin1String("group") || name == QLatin1String("band") || name == QLatin1String("report"))
                return;
            warn(QStringLiteral("bilinmeyen ad '%1'").arg(n.parts[0]));
            return;
        }
        const QString dsName = n.parts[0].toLower();
        const int s = dsName == QLatin1String("this") ? bandSlot : slotOf(dsName);
        if (s < 0)
            return;  // the missing dataset was reported when loading
        const auto& cols = ds_[size_t(s)].rows->columns;
        const int c = cols ? cols->indexOf(n.parts[1]) : -1;
        if (c < 0) {
            // An empty result of a statement still has its columns; no columns
            // at all means the dataset was never read: reported elsewhere.
            if (cols && cols->size() > 0)
                warn(QStringLiteral("'%1' veri kümesinde '%2' alanı yok").arg(ds_[size_t(s)].name, n.parts[1]));
            return;
        }
        n.bound = Node::Bound::Column;
        n.slot = s;
        n.column = c;
    }

    void bindExpression(const expr::ExpressionPtr& e, int slot)
    {
        if (e && e->root())
            bindNode(*e->root(), slot);
    }

    void bindBand(const Band& b, int slot)
    {
        bindExpression(b.visibleIf, slot);
        for (const ReportObject& o : b.objects) {
            for (const auto& p : o.text.parts)
                bindExpression(p.expression, slot);
            bindExpression(o.imageSource, slot);
            bindExpression(o.barcodeValue, slot);
        }
    }

    void bindData(const DataBand& d)
    {
        const int slot = slotOf(d.dataset);
        if (slot < 0)
            warn(QStringLiteral("'%1' veri kümesi yok").arg(d.dataset));
        bindExpression(d.filter, slot);
        if (d.header)
            bindBand(*d.header, slot);
        if (d.footer)
            bindBand(*d.footer, slot);
        for (const Group& g : d.groups) {
            bindExpression(g.key, slot);
            if (g.header)
                bindBand(*g.header, slot);
            if (g.footer)
                bindBand(*g.footer, slot);
        }
        bindBand(d.row, slot);
        for (const DataBand& det : d.details)
            bindData(det);
    }

    void bind()
    {
        for (const auto* b : {&t_.title_, &t_.pageHeader, &t_.columnHeader, &t_.summary, &t_.pageFooter})
            if (*b)
                bindBand(**b, mainSlot_);
        for (const BodyItem& item : t_.body) {
            if (item.band)
                bindBand(*item.band, mainSlot_);
            if (item.data)
                bindData(*item.data);
        }
    }

    // ---- rows -----------------------------------------------------------
    const std::vector<int>& allRows(int slot)
    {
        auto it = allRows_.find(slot);
        if (it == allRows_.end()) {
            std::vector<int> v(ds_[size_t(slot)].rows->rows.size());
            for (size_t i = 0; i < v.size(); ++i)
                v[i] = int(i);
            it = allRows_.emplace(slot, std::move(v)).first;
        }
        return it->second;
    }

    std::vector<int> linkedRows(const DataBand& d, int masterSlot)
    {
        const int slot = slotOf(d.dataset);
        if (slot < 0)
            return {};
        if (d.linkDetail.isEmpty() || masterSlot < 0)
            return allRows(slot);
        auto& index = linkIndex_[&d];
        if (!index.built) {
            index.built = true;
            const auto& detail = *ds_[size_t(slot)].rows;
            index.detailCol = detail.columns ? detail.columns->indexOf(d.linkDetail) : -1;
            const auto& master = *ds_[size_t(masterSlot)].rows;
            index.masterCol = master.columns ? master.columns->indexOf(d.linkMaster) : -1;
            if (index.detailCol < 0)
                warn(QStringLiteral("'%1' veri kümesinde bağlantı alanı '%2' yok").arg(d.dataset, d.linkDetail));
            if (index.masterCol < 0)
                warn(QStringLiteral("'%1' veri kümesinde bağlantı alanı '%2' yok")
                         .arg(ds_[size_t(masterSlot)].name, d.linkMaster));
            if (index.detailCol >= 0)
                for (size_t r = 0; r < detail.rows.size(); ++r)
                    index.rows[expr::toText(detail.rows[r].at(index.detailCol)).trimmed()].push_back(int(r));
        }
        if (index.masterCol < 0 || index.detailCol < 0)
            return {};
        const QString key = expr::toText(column(masterSlot, index.masterCol)).trimmed();
        return index.rows.value(key);
    }

    bool containsSlot(const DataBand& d, int slot) const
    {
        if (slotOf(d.dataset) == slot)
            return true;
        for (const DataBand& det : d.details)
            if (containsSlot(det, slot))
                return true;
        return false;
    }

    void collectRows(const DataBand& band, int slot, const std::vector<int>& rows, int target, std::vector<int>& out)
    {
        if (slot == target) {
            out.insert(out.end(), rows.begin(), rows.end());
            return;
        }
        for (const DataBand& det : band.details) {
            if (!containsSlot(det, target))
                continue;
            const int saved = cursor_[size_t(slot)];
            for (int r : rows) {
                cursor_[size_t(slot)] = r;
                collectRows(det, slotOf(det.dataset), linkedRows(det, slot), target, out);
            }
            cursor_[size_t(slot)] = saved;
            return;
        }
    }

    std::vector<int> rowsFor(int target, Scope scope)
    {
        if (target < 0)
            return {};
        if (scope == Scope::Page)
            return pageRows_[target];
        Frame* f = scope_.frame;
        const std::vector<int>* range = nullptr;
        if (f && scope == Scope::Group && scope_.level >= 0 && size_t(scope_.level) < f->runs.size() &&
            f->runs[size_t(scope_.level)])
            range = f->runs[size_t(scope_.level)];
        else if (f && (scope == Scope::Group || scope == Scope::Band))
            range = &f->rows;
        if (range && containsSlot(*f->band, target)) {
            std::vector<int> out;
            collectRows(*f->band, f->slot, *range, target, out);
            return out;
        }
        // Report scope, or a dataset outside the current band.
        auto it = reportRows_.find(target);
        if (it != reportRows_.end())
            return it->second;
        return allRows(target);
    }

    std::vector<int> filtered(const DataBand& d, int slot, std::vector<int> rows)
    {
        if (!d.filter || !d.filter->root())
            return rows;
        std::vector<int> out;
        const int saved = cursor_[size_t(slot)];
        for (int r : rows) {
            cursor_[size_t(slot)] = r;
            if (expr::truthy(expr::evaluate(*d.filter, *this)))
                out.push_back(r);
        }
        cursor_[size_t(slot)] = saved;
        return out;
    }

    // ---- pages ----------------------------------------------------------
    void pass()
    {
        doc_ = Document();
        cursor_.assign(ds_.size(), -1);
        for (size_t i = 0; i < ds_.size(); ++i)
            cursor_[i] = ds_[i].rows->rows.empty() ? -1 : 0;
        reportCache_.clear();
        styleCache_.clear();
        reportRows_.clear();
        for (const BodyItem& b : t_.body) {
            if (!b.data || !b.data->filter)
                continue;
            const int s = slotOf(b.data->dataset);
            if (s >= 0 && !reportRows_.count(s))
                reportRows_[s] = filtered(*b.data, s, allRows(s));
        }
        pageRows_.clear();
        frames_.clear();
        pendingBreak_ = false;
        startPage(true);
        for (const BodyItem& item : t_.body) {
            if (item.band)
                printBand(*item.band, {Scope::Report, nullptr, -1});
            if (item.data)
                printData(*item.data, nullptr);
        }
        if (t_.summary) {
            if (t_.summary->newPageBefore && y_ > bodyTop_ + 0.01)
                newPage();
            printBand(*t_.summary, {Scope::Report, nullptr, -1});
        }
        pendingBreak_ = false;
        endPage(true);
    }

    void startPage(bool first)
    {
        Page page;
        page.size = QSizeF(pageW_, pageH_);
        doc_.pages.push_back(std::move(page));
        pageRows_.clear();
        y_ = t_.margins.top();
        bodyBottom_ = pageH_ - t_.margins.bottom() - (t_.pageFooter ? t_.pageFooter->height : 0);
        if (first && t_.title_)
            emitFixed(*t_.title_, {Scope::Report, nullptr, -1}, false);
        if (t_.pageHeader && (!first || t_.pageHeader->onFirstPage))
            emitFixed(*t_.pageHeader, {Scope::Report, nullptr, -1}, !first);
        if (t_.columnHeader)
            emitFixed(*t_.columnHeader, {Scope::Report, nullptr, -1}, !first);
        if (!first) {
            for (Frame* f : frames_) {
                if (f->band->header && f->band->header->repeat && f->headerPrinted)
                    emitFixed(*f->band->header, {Scope::Band, f, -1}, true);
                for (size_t level = 0; level < f->band->groups.size(); ++level) {
                    const Group& g = f->band->groups[level];
                    if (g.header && g.header->repeat && f->groupOpen[level])
                        emitFixed(*g.header, {Scope::Group, f, int(level)}, true);
                }
            }
        }
        bodyTop_ = y_;
    }

    void endPage(bool last)
    {
        if (t_.pageFooter && (!last || t_.pageFooter->onLastPage)) {
            const double saved = y_;
            y_ = pageH_ - t_.margins.bottom() - t_.pageFooter->height;
            emitFixed(*t_.pageFooter, {Scope::Page, nullptr, -1}, false);
            y_ = saved;
        }
    }

    void newPage()
    {
        endPage(false);
        startPage(false);
    }

    // Makes room for `height`, starting a new page when the band does not fit
    // (unless the page is still empty: then it is printed anyway).
    void ensureSpace(double height)
    {
        if (pendingBreak_) {
            pendingBreak_ = false;
            newPage();
        }
        if (y_ + height <= bodyBottom_ + 1e-6 || y_ <= bodyTop_ + 1e-6)
            return;
        newPage();
    }

    // ---- bands ----------------------------------------------------------
    bool visible(const Band& b)
    {
        return !b.visibleIf || !b.visibleIf->root() || expr::truthy(expr::evaluate(*b.visibleIf, *this));
    }

    void printBand(const Band& b, ScopeInfo scope, int recordSlot = -1, int recordRow = -1, bool honourNewPage = true)
    {
        const ScopeInfo saved = scope_;
        scope_ = scope;
        if (!visible(b)) {
            scope_ = saved;
            return;
        }
        if (honourNewPage && b.newPageBefore && y_ > bodyTop_ + 0.01)
            newPage();
        Evaluated ev = evaluateBand(b);
        const int page = int(doc_.pages.size());
        ensureSpace(ev.height);
        if (int(doc_.pages.size()) != page)
            ev = evaluateBand(b);  // page numbers and page sums moved on
        place(b, ev, false);
        if (recordSlot >= 0)
            pageRows_[recordSlot].push_back(recordRow);
        if (b.newPageAfter)
            pendingBreak_ = true;
        scope_ = saved;
    }

    // Page header, footer, title and repeated headers: no page-break checks.
    void emitFixed(const Band& b, ScopeInfo scope, bool repeated)
    {
        const ScopeInfo saved = scope_;
        scope_ = scope;
        if (visible(b)) {
            Evaluated ev = evaluateBand(b);
            place(b, ev, repeated);
        }
        scope_ = saved;
    }

    QString evaluateText(const ReportObject& o, QVariant* raw)
    {
        const TextTemplate& t = o.text;
        if (t.singleExpression()) {
            const QVariant v = expr::evaluate(*t.parts[0].expression, *this);
            if (o.hideZero && isNumeric(v) && v.toDouble() == 0.0)
                return {};
            *raw = v;
            return formatValue(v, o.format);
        }
        QString out;
        for (const auto& p : t.parts) {
            if (!p.expression) {
                out += p.literal;
                continue;
            }
            const QVariant v = expr::evaluate(*p.expression, *this);
            if (o.hideZero && isNumeric(v) && v.toDouble() == 0.0)
                continue;
            out += formatValue(v, o.format);
        }
        return out;
    }

    int styleOf(const ReportObject& o)
    {
        auto it = styleCache_.constFind(&o);
        if (it != styleCache_.constEnd() && *it < int(doc_.styles.size()))
            return *it;
        TextStyle s;
        s.family = o.font.family.isEmpty() ? t_.font.family : o.font.family;
        s.size = o.font.size > 0 ? o.font.size : (t_.font.size > 0 ? t_.font.size : 9);
        s.bold = o.font.bold.value_or(t_.font.bold.value_or(false));
        s.italic = o.font.italic.value_or(t_.font.italic.value_or(false));
        s.underline = o.font.underline.value_or(false);
        const int idx = doc_.styleIndex(s);
        styleCache_.insert(&o, idx);
        return idx;
    }

    static bool grows(const Band& b)
    {
        for (const ReportObject& o : b.objects)
            if (o.grow)
                return true;
        return false;
    }

    Evaluated evaluateBand(const Band& b)
    {
        Evaluated ev;
        if (counting_ && !grows(b)) {
            ev.height = b.height;
            return ev;
        }
        ev.texts.resize(b.objects.size());
        ev.values.resize(b.objects.size());
        ev.heights.assign(b.objects.size(), 0.0);
        ev.height = b.height;
        for (size_t i = 0; i < b.objects.size(); ++i) {
            const ReportObject& o = b.objects[i];
            if (o.kind != ReportObject::Kind::Text)
                continue;
            ev.texts[i] = evaluateText(o, &ev.values[i]);
            if (o.grow && !ev.texts[i].isEmpty()) {
                const TextStyle style = doc_.styles[size_t(styleOf(o))];
                const double h = measurer_.height(style, o.rect.width() - 2 * o.padding, ev.texts[i], o.wrap) + 0.8;
                if (h > o.rect.height()) {
                    ev.heights[i] = h;
                    ev.height = qMax(ev.height, o.rect.top() + h);
                }
            }
        }
        if (ev.height > bodyBottom_ - t_.margins.top())
            ev.height = qMax(b.height, bodyBottom_ - t_.margins.top());
        return ev;
    }

    QImage imageFor(const ReportObject& o)
    {
        if (o.imageSource && o.imageSource->root()) {
            const QVariant v = expr::evaluate(*o.imageSource, *this);
            if (v.typeId() == QMetaType::QByteArray)
                return QImage::fromData(v.toByteArray());
            const QString path = v.toString();
            if (!path.isEmpty())
                return loadImage(path);
            return {};
        }
        return loadImage(o.file);
    }

    QImage loadImage(const QString& file)
    {
        if (file.isEmpty())
            return {};
        const QString path = QFileInfo(file).isAbsolute() ? file : QDir(t_.folder).filePath(file);
        auto it = images_.constFind(path);
        if (it != images_.constEnd())
            return *it;
        QImage img(path);
        if (img.isNull())
            warn(QStringLiteral("resim okunamadı: %1").arg(file));
        images_.insert(path, img);
        return img;
    }

    void place(const Band& b, const Evaluated& ev, bool repeated)
    {
        if (counting_) {
            y_ += ev.height;
            return;
        }
        Page& page = doc_.pages.back();
        const double left = t_.margins.left();
        const double top = y_;
        const double grown = ev.height - b.height;
        BandInstance bi;
        bi.kind = b.kind;
        bi.page = int(doc_.pages.size()) - 1;
        bi.top = top;
        bi.height = ev.height;
        bi.repeated = repeated;
        doc_.bands.push_back(bi);
        const int bandIndex = int(doc_.bands.size()) - 1;

        if (b.stripe.isValid() && !frames_.empty() && frames_.back()->line % 2 == 0 && b.kind == BandKind::Data) {
            PageItem s;
            s.kind = PageItem::Kind::Rect;
            s.rect = QRectF(left, top, pageW_ - t_.margins.left() - t_.margins.right(), ev.height);
            s.fill = b.stripe;
            s.band = bandIndex;
            page.items.push_back(std::move(s));
        }
        for (size_t i = 0; i < b.objects.size(); ++i) {
            const ReportObject& o = b.objects[i];
            QRectF r = o.rect.translated(left, top);
            // Objects reaching the band's bottom follow it when it grows, so
            // table cells keep one height and row lines stay under the row.
            const bool atBottom = o.rect.bottom() >= b.height - 0.05;
            PageItem it;
            it.band = bandIndex;
            switch (o.kind) {
                case ReportObject::Kind::Text: {
                    if (ev.heights[i] > 0)
                        r.setHeight(ev.heights[i]);
                    if (grown > 0 && (atBottom || o.grow))
                        r.setBottom(top + ev.height);
                    it.kind = PageItem::Kind::Text;
                    it.rect = r;
                    it.text = ev.texts[i];
                    it.value = ev.values[i];
                    it.format = o.format;
                    it.style = styleOf(o);
                    it.align = o.align;
                    it.wrap = o.wrap;
                    it.padding = o.padding;
                    it.color = o.color.isValid() ? o.color : QColor(Qt::black);
                    it.fill = o.fill;
                    it.frame = quint8(o.frame);
                    it.lineWidth = o.lineWidth;
                    page.items.push_back(std::move(it));
                    break;
                }
                case ReportObject::Kind::Line: {
                    if (grown > 0 && o.rect.top() >= b.height - 0.05 && o.rect.bottom() >= b.height - 0.05)
                        r.translate(0, grown);
                    else if (grown > 0 && atBottom)
                        r.setBottom(r.bottom() + grown);
                    it.kind = PageItem::Kind::Line;
                    it.rect = r;
                    it.color = o.color.isValid() ? o.color : QColor(Qt::black);
                    it.lineWidth = o.lineWidth;
                    page.items.push_back(std::move(it));
                    break;
                }
                case ReportObject::Kind::Rect: {
                    if (grown > 0 && atBottom)
                        r.setBottom(top + ev.height);
                    it.kind = PageItem::Kind::Rect;
                    it.rect = r;
                    it.frame = quint8(o.frame);
                    it.color = o.color.isValid() ? o.color : QColor(Qt::black);
                    it.fill = o.fill;
                    it.lineWidth = o.lineWidth;
                    page.items.push_back(std::move(it));
                    break;
                }
                case ReportObject::Kind::Image: {
                    const QImage img = imageFor(o);
                    if (img.isNull())
                        break;
                    QRectF target = r;
                    if (o.keepAspect && img.width() > 0 && img.height() > 0) {
                        const QSizeF s = QSizeF(img.size()).scaled(r.size(), Qt::KeepAspectRatio);
                        target = QRectF(r.left() + (r.width() - s.width()) / 2, r.top() + (r.height() - s.height()) / 2,
                                        s.width(), s.height());
                    }
                    it.kind = PageItem::Kind::Image;
                    it.rect = target;
                    it.image = img;
                    page.items.push_back(std::move(it));
                    break;
                }
                case ReportObject::Kind::Barcode:
                    emitBarcode(o, r, bandIndex, page);
                    break;
            }
        }
        y_ = top + ev.height;
    }

    void emitBarcode(const ReportObject& o, const QRectF& r, int bandIndex, Page& page)
    {
        const QString value =
            o.barcodeValue && o.barcodeValue->root() ? expr::toText(expr::evaluate(*o.barcodeValue, *this)) : QString();
        const BarcodeShape shape = encodeBarcode(o.barcode, value, o.barcodeText);
        if (!shape.error.isEmpty() || shape.size.isEmpty()) {
            PageItem err;
            err.kind = PageItem::Kind::Text;
            err.rect = r;
            err.text = QStringLiteral("Barkod: %1").arg(shape.error);
            err.style = doc_.styleIndex(TextStyle{t_.font.family, 6, false, false, false});
            err.color = Qt::red;
            err.wrap = true;
            err.frame = 15;
            err.band = bandIndex;
            page.items.push_back(std::move(err));
            if (!value.isEmpty())
                warn(QStringLiteral("barkod '%1': %2").arg(value, shape.error));
            return;
        }
        const double sx = r.width() / shape.size.width();
        const double sy = r.height() / shape.size.height();
        auto bars = std::make_shared<std::vector<QRectF>>();
        bars->reserve(shape.bars.size());
        for (const QRectF& b : shape.bars)
            bars->emplace_back(b.left() * sx, b.top() * sy, b.width() * sx, b.height() * sy);
        PageItem it;
        it.kind = PageItem::Kind::Bars;
        it.rect = r;
        it.bars = std::move(bars);
        it.band = bandIndex;
        it.text = value;
        page.items.push_back(std::move(it));
        for (const BarcodeShape::Text& t : shape.texts) {
            // zint lays the text out in its own units: keep its size and
            // baseline, scaled like the bars' height.
            const double pt = qBound(4.0, t.size * sy / 0.3528, 14.0);
            const TextStyle style{t_.font.family, pt, false, false, false};
            const double lineH = measurer_.lineHeight(style);
            const double ascent = measurer_.ascent(style);
            const double w = t.width > 0 ? t.width * sx + 2 : r.width();
            double x = r.left() + t.x * sx;
            Qt::Alignment h = Qt::AlignHCenter;
            if (t.halign == 1) {
                h = Qt::AlignLeft;
            } else if (t.halign == 2) {
                h = Qt::AlignRight;
                x -= w;
            } else {
                x -= w / 2;
            }
            PageItem ti;
            ti.kind = PageItem::Kind::Text;
            ti.rect = QRectF(x, r.top() + t.y * sy - ascent, w, lineH);
            ti.align = h | Qt::AlignTop;
            ti.text = t.text;
            ti.style = doc_.styleIndex(style);
            ti.padding = 0;
            ti.band = bandIndex;
            ti.exportable = false;
            page.items.push_back(std::move(ti));
        }
    }

    // ---- data -----------------------------------------------------------
    void printData(const DataBand& d, Frame* parent)
    {
        const int slot = slotOf(d.dataset);
        if (slot < 0)
            return;
        std::vector<int> rows = parent ? linkedRows(d, parent->slot) : allRows(slot);
        rows = filtered(d, slot, std::move(rows));
        if (rows.empty() && !d.printIfEmpty)
            return;
        Frame f;
        f.band = &d;
        f.slot = slot;
        f.rows = std::move(rows);
        f.runs.assign(d.groups.size(), nullptr);
        f.groupOpen.assign(d.groups.size(), false);
        const int savedCursor = cursor_[size_t(slot)];
        frames_.push_back(&f);
        cursor_[size_t(slot)] = f.rows.empty() ? -1 : f.rows.front();
        if (d.header) {
            if (d.header->keepWithData)
                keepWithNext(d.header->height + firstBandHeight(d));
            printBand(*d.header, {Scope::Band, &f, -1});
            f.headerPrinted = true;
        }
        printLevel(f, 0, f.rows);
        f.headerPrinted = false;
        if (d.footer) {
            if (!f.rows.empty())
                cursor_[size_t(slot)] = f.rows.back();
            printBand(*d.footer, {Scope::Band, &f, -1});
        }
        frames_.pop_back();
        cursor_[size_t(slot)] = savedCursor;
    }

    double firstBandHeight(const DataBand& d) const
    {
        for (const Group& g : d.groups)
            if (g.header)
                return g.header->height + d.row.height;
        return d.row.height;
    }

    // A header is not left alone at the bottom of a page.
    void keepWithNext(double height)
    {
        if (y_ + height > bodyBottom_ + 1e-6 && y_ > bodyTop_ + 1e-6)
            newPage();
    }

    void printLevel(Frame& f, size_t level, const std::vector<int>& rows)
    {
        const DataBand& d = *f.band;
        const size_t slot = size_t(f.slot);
        if (level >= d.groups.size()) {
            for (int r : rows) {
                cursor_[slot] = r;
                ++f.line;
                printBand(d.row, {Scope::Band, &f, -1}, f.slot, r);
                for (const DataBand& det : d.details)
                    printData(det, &f);
            }
            return;
        }
        const Group& g = d.groups[level];
        // Consecutive rows with the same key form a group (the statement's
        // ORDER BY decides the groups).
        std::vector<std::vector<int>> runs;
        QString lastKey;
        for (int r : rows) {
            cursor_[slot] = r;
            const QString key = g.key && g.key->root() ? expr::toText(expr::evaluate(*g.key, *this)) : QString();
            if (runs.empty() || key != lastKey) {
                runs.emplace_back();
                lastKey = key;
            }
            runs.back().push_back(r);
        }
        for (size_t i = 0; i < runs.size(); ++i) {
            const std::vector<int>& run = runs[i];
            f.runs[level] = &run;
            cursor_[slot] = run.front();
            if (g.header) {
                if (g.header->newPageBefore && i > 0 && y_ > bodyTop_ + 0.01)
                    newPage();
                if (g.header->keepWithData)
                    keepWithNext(g.header->height +
                                 (level + 1 < d.groups.size() && d.groups[level + 1].header
                                      ? d.groups[level + 1].header->height
                                      : 0) +
                                 d.row.height);
                printBand(*g.header, {Scope::Group, &f, int(level)}, -1, -1, false);
            }
            f.groupOpen[level] = true;
            printLevel(f, level + 1, run);
            f.groupOpen[level] = false;
            cursor_[slot] = run.back();
            if (g.footer)
                printBand(*g.footer, {Scope::Group, &f, int(level)});
            f.runs[level] = nullptr;
        }
    }

    const ReportTemplate& t_;
    const std::vector<LoadedDataset>& ds_;
    const LayoutOptions& options_;
    QHash<QString, int> slotByName_;
    QHash<QString, QVariant> params_;
    int mainSlot_ = -1;
    double pageW_ = 210, pageH_ = 297;
    double y_ = 0, bodyTop_ = 0, bodyBottom_ = 0;
    int totalPages_ = 0;
    bool pendingBreak_ = false;
    bool counting_ = false;
    Document doc_;
    mutable std::vector<int> cursor_;
    std::vector<Frame*> frames_;
    ScopeInfo scope_;
    std::map<int, std::vector<int>> allRows_;
    std::map<int, std::vector<int>> reportRows_;
    std::map<int, std::vector<int>> pageRows_;
    struct LinkIndex {
        bool built = false;
        int detailCol = -1;
        int masterCol = -1;
        QHash<QString, std::vector<int>> rows;
    };
    std::map<const DataBand*, LinkIndex> linkIndex_;
    QHash<const Node*, QVariant> reportCache_;
    QHash<const ReportObject*, int> styleCache_;
    QHash<QString, QImage> images_;
    TextMeasurer measurer_;
    QSet<QString> warningSet_;
    QStringList warningList_;
};

}  // namespace

QStringList datasetsUsedBy(const ReportTemplate& tmpl)
{
    QStringList out;
    for (const BodyItem& b : tmpl.body)
        if (b.data)
            collectDataBand(*b.data, out);
    tmpl.forEachExpression([&](const expr::Expression& e) {
        QStringList names;
        e.collectDatasets(names);
        for (const QString& n : names)
            if (n != QLatin1String("this") && !out.contains(n))
                out << n;
    });
    return out;
}

Document layoutReport(const ReportTemplate& tmpl, const std::vector<LoadedDataset>& datasets,
                      const LayoutOptions& options)
{
    Engine engine(tmpl, datasets, options);
    return engine.run();
}

}  // namespace reports
