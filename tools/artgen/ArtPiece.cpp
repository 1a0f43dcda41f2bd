#include "ArtPiece.h"

#include <array>

namespace pemrix {

namespace {

// A picture of fixed height: its resource name, its width and the text drawn in it.
struct TextArt
{
    const char* name;
    int width;
    const char* text;
};

constexpr std::array<TextArt, 11> kTitleStrips{{
    {"title_198", 800, "Kestrova"},
    {"title_203", 200, "Read"},
    {"title_204", 200, "Write"},
    {"title_205", 200, "Wral"},
    {"title_206", 200, "Erase"},
    {"title_207", 200, "Options"},
    {"title_208", 290, "About"},
    {"title_210", 200, "Edit"},
    {"title_211", 200, "Failed"},
    {"title_212", 200, "Succeeded"},
    {"title_progress", 200, "Working"},
}};

constexpr std::array<TextArt, 3> kLabels{{
    {"label_218", 60, "Address:"},
    {"label_219", 60, "Data:"},
    {"label_220", 80, "Custom Port:"},
}};

// A bitmap button: the caption part of its image names, its size, its look and its text.
struct ButtonArt
{
    const char* caption;
    int width;
    int height;
    ArtStyle style;
    const char* text;
};

constexpr std::array<ButtonArt, 30> kButtons{{
    {"OK", 64, 27, ArtStyle::CommandButton, "OK"},
    {"CANCEL", 64, 27, ArtStyle::CommandButton, "CANCEL"},
    {"STOP", 64, 27, ArtStyle::CommandButton, "Stop"},
    {"READALL", 64, 27, ArtStyle::CommandButton, "ReadAll"},
    {"WRITEALL", 64, 27, ArtStyle::CommandButton, "WriteAll"},
    {"WRAL", 64, 27, ArtStyle::CommandButton, "Wral"},
    {"ERAL", 64, 27, ArtStyle::CommandButton, "Eral"},
    {"READ", 64, 27, ArtStyle::CommandButton, "Read"},
    {"WRITE", 64, 27, ArtStyle::CommandButton, "Write"},
    {"ERASE", 64, 27, ArtStyle::CommandButton, "Erase"},
    {"WATCH", 64, 27, ArtStyle::CommandButton, "Watch"},
    {"EDIT", 64, 27, ArtStyle::CommandButton, "Edit"},
    {"OPEN", 64, 27, ArtStyle::CommandButton, "Open"},
    {"SAVE", 64, 27, ArtStyle::CommandButton, "Save"},
    {"OPTIONS", 64, 27, ArtStyle::CommandButton, "Options"},
    {"SELFONT", 74, 27, ArtStyle::CommandButton, "Font..."},
    {"DEFFONT", 94, 27, ArtStyle::CommandButton, "Default Font"},
    {"93C46", 81, 27, ArtStyle::TypePill, "93C46"},
    {"93C56", 81, 27, ArtStyle::TypePill, "93C56"},
    {"93C57", 81, 27, ArtStyle::TypePill, "93C57"},
    {"93C66", 81, 27, ArtStyle::TypePill, "93C66"},
    {"93C76", 81, 27, ArtStyle::TypePill, "93C76"},
    {"93C86", 81, 27, ArtStyle::TypePill, "93C86"},
    {"ABOUT", 51, 24, ArtStyle::Lettering, "About"},
    {"HELP", 41, 24, ArtStyle::Lettering, "Help"},
    {"EXIT", 36, 24, ArtStyle::Lettering, "Exit"},
    {"MIN", 12, 14, ArtStyle::TitleGlyph, "-"},
    {"CLOSE", 12, 14, ArtStyle::TitleGlyph, "X"},
    {"WEBSITE", 177, 21, ArtStyle::Link, "https://www.brantel.example/"},
    {"EMAIL1", 237, 21, ArtStyle::Link, "support@brantel.example"},
}};

void AddButton(std::vector<ArtPiece>& pieces, const ButtonArt& button)
{
    const QString caption = QString::fromLatin1(button.caption);
    const QSize size(button.width, button.height);
    const QString text = QString::fromLatin1(button.text);
    pieces.push_back({caption + u'U', size, button.style, text, ArtState::Normal});
    // Type buttons show the selected type by their disabled image; they have no pressed one.
    if (button.style == ArtStyle::TypePill)
        pieces.push_back({caption + u'X', size, button.style, text, ArtState::Selected});
    else
        pieces.push_back({caption + u'D', size, button.style, text, ArtState::Pressed});
}

} // namespace

std::vector<ArtPiece> AllArtPieces()
{
    std::vector<ArtPiece> pieces;
    const auto addTexts = [&pieces](const auto& table, int height, ArtStyle style) {
        for (const TextArt& art : table) {
            pieces.push_back({QString::fromLatin1(art.name), QSize(art.width, height), style,
                              QString::fromLatin1(art.text)});
        }
    };
    addTexts(kTitleStrips, 34, ArtStyle::TitleStrip);
    addTexts(kLabels, 18, ArtStyle::Label);
    pieces.push_back({QStringLiteral("picture_216"), QSize(272, 65), ArtStyle::Picture,
                      QStringLiteral("Kestrova")});
    pieces.push_back({QStringLiteral("icon_128"), QSize(32, 32), ArtStyle::Icon, QString()});
    // The window's icon for large sizes, and the desktop's icon of the installed program.
    pieces.push_back({QStringLiteral("icon_desktop"), QSize(128, 128), ArtStyle::Icon, QString()});
    for (const ButtonArt& button : kButtons)
        AddButton(pieces, button);
    return pieces;
}

} // namespace pemrix
