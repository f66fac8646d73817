#include "ui/images.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <stdexcept>

static void initTelmaResources()
{
    // The resources live in a static library; naming their initialiser keeps the
    // linker from dropping them.
    Q_INIT_RESOURCE(resources);
}

namespace ui {
namespace {

const char* resourcePath(Picture p)
{
    switch (p) {
    case Picture::AllLetters: return ":/images/tile-all-letters.svg";
    case Picture::Contracts: return ":/images/tile-contracts.svg";
    case Picture::Cabinet: return ":/images/tile-cabinet.svg";
    case Picture::Consultation: return ":/images/tile-consultation.svg";
    case Picture::OrderLetter: return ":/images/tile-order-letter.svg";
    case Picture::Feedback: return ":/images/tile-feedback.svg";
    case Picture::Ring: return ":/images/tile-ring.svg";
    case Picture::Document: return ":/images/tile-document.svg";
    case Picture::Square: return ":/images/tile-square.svg";
    case Picture::Illustration: return ":/images/illustration.svg";
    }
    return "";
}

}  // namespace

QSize pictureSize(Picture p)
{
    switch (p) {
    case Picture::AllLetters:
    case Picture::Contracts:
    case Picture::Cabinet:
    case Picture::Consultation:
    case Picture::OrderLetter:
    case Picture::Feedback: return {50, 50};
    case Picture::Ring:
    case Picture::Document:
    case Picture::Square: return {41, 41};
    case Picture::Illustration: return {1065, 683};
    }
    return {};
}

QPixmap picture(Picture p)
{
    static bool resourcesReady = (initTelmaResources(), true);
    (void)resourcesReady;
    static QHash<int, QPixmap> cache;
    const int key = static_cast<int>(p);
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;

    QSvgRenderer renderer{QString::fromLatin1(resourcePath(p))};
    if (!renderer.isValid())
        throw std::runtime_error(std::string("Не удалось загрузить рисунок ") + resourcePath(p) +
                                 " из ресурсов программы: программа собрана без него");
    QPixmap pixmap(pictureSize(p));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pictureSize(p))));
    painter.end();
    cache.insert(key, pixmap);
    return pixmap;
}

}  // namespace ui
