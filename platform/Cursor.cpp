#include "platform/CursorInternal.h"
#include "platform/Messages.h"

#include <QCursor>
#include <QGuiApplication>

#include <array>

struct PlatformCursor {
    int id;
    Qt::CursorShape shape;
};

namespace {

std::array<PlatformCursor, 13>& cursors() {
    static std::array<PlatformCursor, 13> table{{
        {IDC_ARROW, Qt::ArrowCursor},
        {IDC_IBEAM, Qt::IBeamCursor},
        {IDC_WAIT, Qt::WaitCursor},
        {IDC_CROSS, Qt::CrossCursor},
        {IDC_UPARROW, Qt::UpArrowCursor},
        {IDC_SIZENWSE, Qt::SizeFDiagCursor},
        {IDC_SIZENESW, Qt::SizeBDiagCursor},
        {IDC_SIZEWE, Qt::SizeHorCursor},
        {IDC_SIZENS, Qt::SizeVerCursor},
        {IDC_SIZEALL, Qt::SizeAllCursor},
        {IDC_NO, Qt::ForbiddenCursor},
        {IDC_HAND, Qt::PointingHandCursor},
        {IDC_APPSTARTING, Qt::BusyCursor},
    }};
    return table;
}

HCURSOR& current() {
    static HCURSOR cursor = nullptr;
    return cursor;
}

} // namespace

namespace platform {

Qt::CursorShape cursorShape(HCURSOR cursor) {
    return cursor != nullptr ? cursor->shape : Qt::ArrowCursor;
}

} // namespace platform

HCURSOR LoadCursor(HINSTANCE instance, int cursorId) {
    if (instance != nullptr)
        return nullptr;
    for (auto& c : cursors()) {
        if (c.id == cursorId)
            return &c;
    }
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    const HCURSOR old = current();
    if (cursor == old)
        return old;
    if (old != nullptr && cursor != nullptr)
        QGuiApplication::changeOverrideCursor(QCursor(cursor->shape));
    else if (cursor != nullptr)
        QGuiApplication::setOverrideCursor(QCursor(cursor->shape));
    else
        QGuiApplication::restoreOverrideCursor();
    current() = cursor;
    return old;
}

HCURSOR GetCursor() {
    return current();
}
