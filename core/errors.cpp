#include "errors.h"

namespace wt {

Error::Error(const QString& message, const QString& kind, std::shared_ptr<const Error> inner)
    : std::runtime_error(message.toStdString()),
      message_(message),
      kind_(kind),
      inner_(std::move(inner)) {}

SilentStop::SilentStop() : Error(QString(), QStringLiteral("EAbort")) {}

QString withFullStop(QString text) {
    if (!text.isEmpty() && text.back().unicode() > u'.') text.append(u'.');
    return text;
}

QString errorDisplayText(const Error& error) {
    QString text = error.message();
    const Error* innermost = nullptr;
    for (auto inner = error.inner().get(); inner; inner = inner->inner().get()) innermost = inner;
    if (innermost && !innermost->message().isEmpty()) text = innermost->message();
    return withFullStop(text);
}

}  // namespace wt
