#pragma once

#include "reports/page_model.h"
#include "reports/page_painter.h"

#include <QScrollArea>
#include <memory>

namespace reports {

// The pages of a document one under the other, zoomable, with search hits
// highlighted. Used by the preview and the designer.
class PageView : public QScrollArea {
    Q_OBJECT
public:
    enum class Fit { None, Width, Page };
    explicit PageView(QWidget* parent = nullptr);
    ~PageView() override;

    void setDocument(std::shared_ptr<const Document> document);
    const Document* document() const { return doc_.get(); }

    double zoom() const { return zoom_; }
    void setZoom(double zoom);  // 1.0 = real size on the screen
    void setFit(Fit fit);
    Fit fit() const { return fit_; }

    int currentPage() const;  // 0-based, the page at the top of the view
    void showPage(int page);
    // Marks rectangles (mm) of a page and scrolls them into view.
    void setHighlights(int page, const QList<QRectF>& rects);

Q_SIGNALS:
    void currentPageChanged(int page);
    void zoomChanged(double zoom);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class Canvas;
    friend class Canvas;
    void relayout();
    double pxPerMm() const;
    int pageTop(int page) const;

    std::shared_ptr<const Document> doc_;
    std::unique_ptr<PagePainter> painter_;
    Canvas* canvas_ = nullptr;
    double zoom_ = 1.0;
    Fit fit_ = Fit::Width;
    int highlightPage_ = -1;
    QList<QRectF> highlights_;
    int lastReportedPage_ = -1;
};

}  // namespace reports
