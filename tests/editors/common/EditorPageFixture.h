#pragma once

#include "GraphicsFixture.h"
#include "ImageEx.h"
#include "NamedChild.h"
#include "TImageExInput.h"
#include "TestFiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QSize>
#include <QWidget>

/// The hover frame's colour; no master colour of the fixture is magenta.
inline constexpr QRgb Magenta = 0xFFFF00FF;
/// Grid lines, object markers and cursors; no master colour of the fixture is white.
inline constexpr QRgb White = 0xFFFFFFFF;

/// True when some pixel of `picture` belongs to a hover frame.
bool HasFramePixel(const QImage &picture);

/// Replaces the text of `edit` by typing `text` over it, as the user does.
void TypeInto(QLineEdit *edit, const QString &text);

/// Which shared chip sheets the main window rebuilds before a page refreshes for a stage.
enum class SheetsRebuilt { None, Chip16x16, Both };

/// The common part of every page bench: the model and renderer of `GraphicsFixture` over an
/// opened synthetic image, and the page widget and status panel the main window would lend
/// the page's controller. Owns them; the derived bench owns the controller.
class EditorPageFixture : public GraphicsFixture {
public:
    explicit EditorPageFixture(const CartridgeBuilder &cartridge);

    template <typename T> T *Find(const QString &name) { return NamedChild<T>(&Page, name); }
    StageData &Stage() { return Document().CurrentStageData(); }
    /// The modified flag of `area` of the current stage.
    bool EditFlag(EditArea area) { return Flags().EditFlag(area, Document().CurrentStage()); }

    /// Makes `stage` current with its palette set 0 in the renderer and the `sheets` rebuilt,
    /// as the main window does before the page refreshes.
    void PrepareStage(int stage, SheetsRebuilt sheets);
    /// Shows the page at `size` with the shared pointer off it (hover tests move it), and
    /// waits until the page is exposed.
    void ShowPage(QSize size);

    QWidget Page;
    QLabel StatusPanel;
};
