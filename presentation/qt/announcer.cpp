#include "announcer.h"

#include "spoken_notice.h"

namespace quadrell {

QAccessibleInterface* SpokenNotice::parent() const
{
    return window_ ? QAccessible::queryAccessibleInterface(window_) : nullptr;
}

Announcer::Announcer(QWidget* window)
    : notice_(new SpokenNotice(window)), id_(QAccessible::registerAccessibleInterface(notice_))
{
}

Announcer::~Announcer()
{
    QAccessible::deleteAccessibleInterface(id_);
}

void Announcer::announce(const QString& words)
{
    notice_->setWords(words);
    QAccessibleEvent shown(notice_, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

}  // namespace quadrell
