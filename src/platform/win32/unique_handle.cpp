#include "platform/win32/unique_handle.h"

#include <type_traits>

#include "platform/win32/windows_api.h"

namespace glint::win32 {

static_assert(std::is_same_v<KernelHandleTraits::Type, HANDLE>);

void KernelHandleTraits::Close(Type h) {
  ::CloseHandle(h);
}

}  // namespace glint::win32
