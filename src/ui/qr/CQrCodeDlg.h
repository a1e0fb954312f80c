#pragma once

#include "views/qr/QrCode.h"

#include <QDialog>
#include <QImage>

class QLabel;
class QPushButton;

namespace qdx {

// The QR picture of one list row in a small window, from which it is saved as a monochrome
// bitmap.
class CQrCodeDlg : public QDialog {
    Q_OBJECT
public:
    // `text` is the row's text (qrRowText); it must fit a QR symbol (see encodeQr).
    CQrCodeDlg(const QString& text, const QString& proposedName, QWidget* parent = nullptr);

    // Whether the text fitted; the window has nothing to show otherwise.
    bool hasPicture() const { return !m_picture.isNull(); }
    // The symbol with a quiet zone of four modules, one bit per pixel (0 white, 1 black).
    const QImage& picture() const { return m_picture; }
    // Asks for a file and writes the picture as a bitmap. False when cancelled or failed (the
    // failure is reported).
    bool savePicture();

    static QImage monochromeImage(const QrModules& modules, int scale);

private:
    QImage m_picture;
    QString m_proposedName;
    QLabel* m_pictureLabel = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_closeButton = nullptr;
};

} // namespace qdx
