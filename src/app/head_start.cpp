#include "head_start.h"

#ifdef GSW_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace app {

HeadStart::HeadStart()
{
#ifdef GSW_HAVE_FONTCONFIG
    // Qt finds its fonts through fontconfig and takes the configuration read here.
    m_thread = std::thread([] { FcInit(); });
#endif
}

HeadStart::~HeadStart() { ready(); }

void HeadStart::ready()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace app
