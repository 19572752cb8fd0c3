#include "reports/page_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace reports {

namespace {
constexpr int kGap = 12;
}

class PageView::Canvas : public QWidget {
public:
    explicit Canvas(PageView* view) : QWidget(view), view_(view) { setAttribute(Qt::WA_OpaquePaintEvent); }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        p.fillRect(event->rect(), QColor(0x80, 0x80, 0x80));
        const Document* doc = view_->doc_.get();
        if (!doc)
            return;
        const double k = view_->pxPerMm();
        for (int i = 0; i < doc->pageCount(); ++i) {
            const QSizeF mm = doc->pages[size_t(i)].size;
            const QRect r(pageLeft(mm, k), view_->pageTop(i), int(mm.width() * k), int(mm.height() * k));
            if (!r.intersects(event->rect()))
                continue;
            p.fillRect(r.translated(3, 3), QColor(0x50, 0x50, 0x50));
            p.fillRect(r, Qt::white);
            p.save();
            p.setClipRect(r);
            p.translate(r.topLeft());
            view_->painter_->paint(p, i, k, i == view_->highlightPage_ ? view_->highlights_ : QList<QRectF>());
            p.restore();
        }
    }

    int pageLeft(const QSizeF& mm, double k) const { return qMax(kGap, (width() - int(mm.width() * k)) / 2); }

private:
    PageView* view_;
};

PageView::PageView(QWidget* parent) : QScrollArea(parent)
{
    canvas_ = new Canvas(this);
    setWidget(canvas_);
    setWidgetResizable(false);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackgroundRole(QPalette::Dark);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        const int page = currentPage();
        if (page != lastReportedPage_) {
            lastReportedPage_ = page;
            Q_EMIT currentPageChanged(page);
        }
    });
}

PageView::~PageView() = default;

void PageView::setDocument(std::shared_ptr<const Document> document)
{
    const int keep = currentPage();
    doc_ = std::move(document);
    painter_ = doc_ ? std::make_unique<PagePainter>(*doc_) : nullptr;
    highlights_.clear();
    highlightPage_ = -1;
    relayout();
    if (doc_ && keep > 0 && keep < doc_->pageCount())
        showPage(keep);
    lastReportedPage_ = -1;
    Q_EMIT currentPageChanged(currentPage());
}

double PageView::pxPerMm() const
{
    return logicalDpiX() / 25.4 * zoom_;
}

int PageView::pageTop(int page) const
{
    if (!doc_)
        return 0;
    const double k = pxPerMm();
    int y = kGap;
    for (int i = 0; i < page && i < doc_->pageCount(); ++i)
        y += int(doc_->pages[size_t(i)].size.height() * k) + kGap;
    return y;
}

void PageView::relayout()
{
    if (doc_ && doc_->pageCount() > 0 && fit_ != Fit::None) {
        const QSizeF mm = doc_->pages.front().size;
        const double base = logicalDpiX() / 25.4;
        const double zw = (viewport()->width() - 2 * kGap) / (mm.width() * base);
        const double zh = (viewport()->height() - 2 * kGap) / (mm.height() * base);
        const double z = qBound(0.1, fit_ == Fit::Width ? zw : qMin(zw, zh), 8.0);
        if (qAbs(z - zoom_) > 1e-4) {
            zoom_ = z;
            Q_EMIT zoomChanged(zoom_);
        }
    }
    int w = 0;
    if (doc_) {
        const double k = pxPerMm();
        for (const Page& p : doc_->pages)
            w = qMax(w, int(p.size.width() * k));
    }
    canvas_->resize(qMax(w + 2 * kGap, viewport()->width()), doc_ ? pageTop(doc_->pageCount()) : viewport()->height());
    canvas_->update();
}

void PageView::setZoom(double zoom)
{
    fit_ = Fit::None;
    const int page = currentPage();
    zoom_ = qBound(0.1, zoom, 8.0);
    relayout();
    showPage(page);
    Q_EMIT zoomChanged(zoom_);
}

void PageView::setFit(Fit fit)
{
    const int page = currentPage();
    fit_ = fit;
    relayout();
    showPage(page);
}

int PageView::currentPage() const
{
    if (!doc_ || doc_->pageCount() == 0)
        return 0;
    const int y = verticalScrollBar()->value() + viewport()->height() / 3;
    for (int i = doc_->pageCount() - 1; i >= 0; --i)
        if (pageTop(i) <= y)
            return i;
    return 0;
}

void PageView::showPage(int page)
{
    if (!doc_ || doc_->pageCount() == 0)
        return;
    page = qBound(0, page, doc_->pageCount() - 1);
    verticalScrollBar()->setValue(pageTop(page) - kGap / 2);
}

void PageView::setHighlights(int page, const QList<QRectF>& rects)
{
    highlightPage_ = page;
    highlights_ = rects;
    if (doc_ && page >= 0 && page < doc_->pageCount() && !rects.isEmpty()) {
        const double k = pxPerMm();
        const int y = pageTop(page) + int(rects.first().top() * k);
        const int x = int(rects.first().left() * k);
        ensureVisible(x, y, 40, viewport()->height() / 3);
    }
    canvas_->update();
}

void PageView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    relayout();
}

}  // namespace reports
