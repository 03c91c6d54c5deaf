#pragma once
// Pictures and frames, drawn by their container.

#include "framework/Control.h"

#include <cstdint>
#include <vector>

// A lowered box frame.
class TBevel : public TGraphicControl {
  public:
    using TGraphicControl::TGraphicControl;
    void Paint(HDC dc) override;
};

// A picture stretched to fill its frame, proportions not kept.
class TImage : public TGraphicControl {
  public:
    using TGraphicControl::TGraphicControl;
    struct Options {
        const char* picture = nullptr; // JPEG resource
    };
    void ApplyOptions(const Options& options) {
        if (options.picture)
            LoadJpegResource(options.picture);
    }
    // Decodes the JPEG picture stored as raw data under that resource name.
    void LoadJpegResource(const char* resourceName);
    HBITMAP Picture() const { return picture_.Get(); }
    SIZE PictureSize() const { return size_; }
    void Paint(HDC dc) override;

  private:
    BitmapHandle picture_;
    SIZE size_{};
};
