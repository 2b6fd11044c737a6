// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the outlines of the splash window's texts to standard output, in the skin's fonts as
// this machine's Qt and fonts lay them out. scripts/render-lettering.sh runs it.
#include "controls/Lettering.h"
#include "settings/TFormLogo.h"

#include <QApplication>
#include <QFontInfo>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    std::vector<Lettering> letterings;
    QByteArray faces;
    for (const auto& [text, font] : TFormLogo::LetteredTexts()) {
        letterings.push_back(Lettering::Make(text, font));
        faces += "# \"" + text.toUtf8() + "\": " + QFontInfo(font).family().toUtf8() + ", " +
                 QFontInfo(font).styleName().toUtf8() + '\n';
    }
    const QByteArray out =
        "# The splash window's texts as outlines (scripts/render-lettering.sh), so that it\n"
        "# draws them without loading a font. The outlines are the fonts' own, under their\n"
        "# licences (packaging/debian/copyright). Made from:\n" +
        faces + Lettering::Write(letterings);
    return std::fwrite(out.constData(), 1, size_t(out.size()), stdout) == size_t(out.size()) ? 0
                                                                                             : 1;
}
