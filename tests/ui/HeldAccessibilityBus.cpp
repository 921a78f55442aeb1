#include "tests/ui/HeldAccessibilityBus.h"

#include <csignal>

#include <gio/gio.h>

namespace
{
GVariant* Call(GDBusConnection* connection, const char* name, const char* path, const char* interface,
               const char* method, GVariant* arguments, const char* replyType)
{
    return g_dbus_connection_call_sync(connection, name, path, interface, method, arguments,
                                       G_VARIANT_TYPE(replyType), G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
}

// The session's bus launcher names the bus; its daemon names its own process.
pid_t BusDaemon()
{
    guint32 pid = 0;
    GDBusConnection* session = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!session)
        return 0;
    if (GVariant* address = Call(session, "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", nullptr, "(s)"))
    {
        const gchar* text = nullptr;
        g_variant_get(address, "(&s)", &text);
        const auto flags = GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION);
        if (GDBusConnection* bus = g_dbus_connection_new_for_address_sync(text, flags, nullptr, nullptr, nullptr))
        {
            if (GVariant* process = Call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                         "GetConnectionUnixProcessID", g_variant_new("(s)", "org.freedesktop.DBus"),
                                         "(u)"))
            {
                g_variant_get(process, "(u)", &pid);
                g_variant_unref(process);
            }
            g_dbus_connection_close_sync(bus, nullptr, nullptr);
            g_object_unref(bus);
        }
        g_variant_unref(address);
    }
    g_object_unref(session);
    return static_cast<pid_t>(pid);
}
} // namespace

HeldAccessibilityBus::~HeldAccessibilityBus()
{
    Release();
}

bool HeldAccessibilityBus::Hold()
{
    if (!m_daemon)
        m_daemon = BusDaemon();
    return m_daemon > 0 && ::kill(m_daemon, SIGSTOP) == 0;
}

void HeldAccessibilityBus::ReleaseAfter(std::chrono::milliseconds wait)
{
    if (m_timer)
        g_source_remove(m_timer);
    m_timer = g_timeout_add(static_cast<guint>(wait.count()), [](gpointer held) -> gboolean {
        static_cast<HeldAccessibilityBus*>(held)->m_timer = 0;
        static_cast<HeldAccessibilityBus*>(held)->Release();
        return G_SOURCE_REMOVE;
    }, this);
}

void HeldAccessibilityBus::Release()
{
    if (m_timer)
        g_source_remove(m_timer);
    m_timer = 0;
    if (m_daemon > 0)
        ::kill(m_daemon, SIGCONT);
    m_daemon = 0;
}
