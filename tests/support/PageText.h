#pragma once
// A document's text two ways: through the real converter library, and as poppler-cpp's
// page::text() gives it page by page, which is what the library gave before it read pages
// with poppler's own classes.
#include "conversion/MyPdfCvt.h"
#include "platform/FileSystem.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <poppler-document.h>
#include <poppler-page.h>

inline QByteArray popplerCppText(const QString &path, int textOrder, bool pageBreaks)
{
    const std::unique_ptr<poppler::document> document(poppler::document::load_from_file(FileSystem::encodePath(path).toStdString()));
    if (!document)
        return "(not opened)";
    const poppler::page::text_layout_enum layouts[] = {poppler::page::non_raw_non_physical_layout,
                                                       poppler::page::physical_layout, poppler::page::raw_order_layout};
    QByteArray text;
    for (int i = 0; i < document->pages(); ++i) {
        const std::unique_ptr<poppler::page> page(document->create_page(i));
        const poppler::byte_array bytes = page->text(poppler::rectf(), layouts[textOrder]).to_utf8();
        QByteArray pageText(bytes.data(), qsizetype(bytes.size()));
        if (pageText.endsWith('\f'))
            pageText.chop(1);
        text += pageText + (pageBreaks ? "\f" : "");
    }
    return text;
}

// The text of the pages as the library delivers it in UTF-8.
inline QByteArray extractPages(const QString &path, int textOrder, bool pageBreaks, MyPdfCvt::PageRange pages = {})
{
    QByteArray text;
    const int result = MyPdfCvt::ExtractText(path, textOrder, pageBreaks, 0, pages,
                                             [&](QByteArrayView utf8) { text += utf8; }, {});
    return result == 0 ? text : "(result " + QByteArray::number(result) + ")";
}
