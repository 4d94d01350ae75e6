#pragma once

#include <QByteArrayView>

// The appearance layer's decoders driven with arbitrary bytes (for the fuzz targets in
// tools/fuzz). Each returns false when a property of the decoder fails; it must never crash.

// A card-set package: opened from the bytes (which it reads in place), then every reader.
bool fuzzCardSetPackage(QByteArrayView bytes);
// A picture file through our JPEG decoder (at full and at a reduced size) or QImageReader.
bool fuzzPictureFile(QByteArrayView bytes);
