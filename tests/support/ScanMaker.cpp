#include "tests/support/ScanMaker.h"

#include <cmath>
#include <memory>
#include <poppler-document.h>
#include <poppler-image.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>

namespace testpdf {

namespace {

// Turns the picture about its centre, clockwise by degrees; the corners fill with paper.
void skew(Picture& picture, double degrees)
{
    const double a = degrees * 3.14159265358979 / 180, c = std::cos(a), s = std::sin(a);
    const double cx = picture.columns / 2.0, cy = picture.rows / 2.0;
    std::vector<unsigned char> out(picture.pixels.size(), 255);
    for (int y = 0; y < picture.rows; ++y) {
        for (int x = 0; x < picture.columns; ++x) {
            const double dx = x - cx, dy = y - cy;
            const int sx = int(std::lround(cx + dx * c + dy * s)), sy = int(std::lround(cy - dx * s + dy * c));
            if (sx >= 0 && sy >= 0 && sx < picture.columns && sy < picture.rows)
                out[size_t(y) * size_t(picture.columns) + size_t(x)] = picture.pixels[size_t(sy) * size_t(picture.columns) + size_t(sx)];
        }
    }
    picture.pixels.swap(out);
}

}

std::vector<Page> scannedPages(const std::string& pdf, double dpi, int quarterTurns, double skewDegrees)
{
    std::vector<Page> pages;
    std::unique_ptr<poppler::document> document(poppler::document::load_from_raw_data(pdf.data(), int(pdf.size())));
    if (!document || document->is_locked())
        return pages;
    poppler::page_renderer renderer;
    renderer.set_image_format(poppler::image::format_gray8);
    renderer.set_render_hint(poppler::page_renderer::antialiasing, true);
    renderer.set_render_hint(poppler::page_renderer::text_antialiasing, true);
    quarterTurns &= 3;
    for (int i = 0; i < document->pages(); ++i) {
        std::unique_ptr<poppler::page> source(document->create_page(i));
        const poppler::image image = renderer.render_page(source.get(), dpi, dpi);
        const int w = image.width(), h = image.height();
        const bool sideways = quarterTurns % 2 == 1;
        Picture picture;
        picture.columns = sideways ? h : w;
        picture.rows = sideways ? w : h;
        picture.pixels.resize(size_t(w) * size_t(h));
        for (int y = 0; y < h; ++y) {
            const auto* row = reinterpret_cast<const unsigned char*>(image.const_data()) + size_t(y) * size_t(image.bytes_per_row());
            for (int x = 0; x < w; ++x) {
                int nx = x, ny = y;
                if (quarterTurns == 1)
                    nx = h - 1 - y, ny = x;
                else if (quarterTurns == 2)
                    nx = w - 1 - x, ny = h - 1 - y;
                else if (quarterTurns == 3)
                    nx = y, ny = w - 1 - x;
                picture.pixels[size_t(ny) * size_t(picture.columns) + size_t(nx)] = row[x];
            }
        }
        if (skewDegrees != 0)
            skew(picture, skewDegrees);
        Page page;
        page.width = picture.columns * 72.0 / dpi;
        page.height = picture.rows * 72.0 / dpi;
        picture.width = page.width;
        picture.height = page.height;
        page.pictures.push_back(std::move(picture));
        pages.push_back(std::move(page));
    }
    return pages;
}

} // namespace testpdf
