// Translates the toolkit's own texts through the gettext domain "default", whose catalogues are
// converted from the toolkit's translations (keys: "Context|disambiguation" EOT source).
#pragma once

#include <QTranslator>

namespace vdx::ui {

class TGettextTranslator : public QTranslator {
 public:
  // Binds the domain to LocaleDir (the "locale" folder beside the executable).
  explicit TGettextTranslator(const QString& LocaleDir, QObject* Parent = nullptr);
  QString translate(const char* Context, const char* SourceText, const char* Disambiguation,
                    int N) const override;
  bool isEmpty() const override { return false; }
};

}  // namespace vdx::ui
