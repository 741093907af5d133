#include "clock/ClockSnapshot.h"

#include "platform/files/AtomicFile.h"
#include "platform/pictures/JpegCodec.h"

#include <QPainter>

ClockPicture SnapshotPicture(const Skin& skin, const QDateTime& moment, const QString& readoutFormat, double pixelsPerInch)
{
    const ClockPicture clock = ClockPictureAt(skin, moment, kSnapshotSide, readoutFormat, pixelsPerInch);
    // Outside its outline the clock is transparent; the gallery shows through.
    QImage picture(clock.Image.size(), QImage::Format_RGB888);
    picture.fill(ToQColor(kGalleryColor));
    QPainter(&picture).drawImage(0, 0, clock.Image);
    return { picture, clock.Problem };
}

void WriteSnapshot(const QString& path, const QImage& picture)
{
    WriteFileAtomically(path, EncodeJpeg(picture, kSnapshotQuality));
}
