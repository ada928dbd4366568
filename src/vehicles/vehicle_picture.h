#pragma once
// The photo of the vehicle dialog: a linked picture file, scaled to fit with its proportions kept;
// the left (or middle) button asks for a picture, the right button for removing the link. And the
// picture file dialog, a seam that tests script.

#include <QFrame>
#include <QImage>
#include <QString>

#include <optional>

class VehiclePicture : public QFrame {
    Q_OBJECT
public:
    explicit VehiclePicture(QWidget* parent = nullptr);

    // Shows the picture file, or nothing when it cannot be read; false then.
    bool showFile(const QString& path);
    void clear();
    bool hasPicture() const { return !m_image.isNull(); }
    QSize sizeHint() const override { return {320, 240}; }

signals:
    void chooseRequested();
    void removeRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_image;
};

// The picture file dialog.
class PictureChooser {
public:
    virtual ~PictureChooser() = default;
    // The chosen file's full path, nullopt when the dialog was cancelled. `start` is the file
    // name offered first or the folder the dialog opens in.
    [[nodiscard]] virtual std::optional<QString> choosePicture(QWidget* parent, const QString& start,
                                                               const QString& filter) = 0;
};

class FileDialogPictureChooser final : public PictureChooser {
public:
    std::optional<QString> choosePicture(QWidget* parent, const QString& start, const QString& filter) override;
};

// The filter of the picture file dialog: "All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)", the six types
// one by one, then "Weitere Bildformate (…)" with every other type this system can show. Each entry
// is its name followed by its patterns; the dialog shows the names (HideNameFilterDetails).
QString pictureFilter();
QString pictureFilter();
