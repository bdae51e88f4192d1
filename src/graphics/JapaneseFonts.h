#pragma once

/// Maps the Windows font names the editor's texts ask for ("ＭＳ Ｐゴシック",
/// "ＭＳ ゴシック") to the Japanese fonts installed here, so captions and object
/// markers render as intended. Call once, after the application object exists.
void InstallJapaneseFontSubstitutions();
