#include "app/ui/GettextTranslator.h"

#include <libintl.h>

namespace vdx::ui {

namespace {
constexpr const char* Domain = "default";
}

TGettextTranslator::TGettextTranslator(const QString& LocaleDir, QObject* Parent)
    : QTranslator(Parent) {
  bindtextdomain(Domain, LocaleDir.toLocal8Bit().constData());
  bind_textdomain_codeset(Domain, "UTF-8");
}

QString TGettextTranslator::translate(const char* Context, const char* SourceText,
                                      const char* Disambiguation, int N) const {
  if (!SourceText || !*SourceText) return QString();
  const QByteArray Key = QByteArray(Context ? Context : "") + '|' +
                         QByteArray(Disambiguation ? Disambiguation : "") + '\004' + SourceText;
  const char* Translated = N >= 0 ? dngettext(Domain, Key.constData(), Key.constData(),
                                              static_cast<unsigned long>(N))
                                  : dgettext(Domain, Key.constData());
  // gettext hands back the key itself when it has no translation.
  if (Translated == Key.constData()) return QString();
  return QString::fromUtf8(Translated);
}

}  // namespace vdx::ui
