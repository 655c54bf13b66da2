// Text of a DXF file: UTF-8 from R2007 on, else the code page of
// $DWGCODEPAGE, with \U+XXXX (and \M+NXXXX) escapes for other characters.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <string>
#include <string_view>

namespace host::dxf {

class TextCodec {
public:
    // utf8: the file is R2007 or later.  codePage: the $DWGCODEPAGE value
    // ("ANSI_932", ...), used when utf8 is false; unknown names fall back to
    // ANSI_1252.
    TextCodec(bool utf8, const QString &codePage);

    // Raw value bytes to Unicode, escapes resolved.
    QString decode(std::string_view raw) const;
    // Unicode to the file's bytes; characters the code page lacks are
    // written as \U+XXXX.
    std::string encode(const QString &text) const;

    bool isUtf8() const { return m_utf8; }
    // "UTF-8" or the code page name as the file gives it.
    QString name() const { return m_name; }

    // The converter name for a $DWGCODEPAGE value, empty when unknown.
    static QByteArray converterFor(const QString &codePage);

private:
    bool m_utf8;
    QString m_name;
    QByteArray m_converter;
    mutable QStringDecoder m_decoder;
    mutable QStringEncoder m_encoder;
};

// Resolves \U+XXXX and \M+NXXXX escapes in already decoded text.
QString resolveEscapes(const QString &text);

} // namespace host::dxf
