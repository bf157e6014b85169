#include "archive/RemoteLogStore.h"

CRemoteLogStore& CRemoteLogStore::Instance() {
    static CRemoteLogStore store;
    return store;
}

std::vector<RemoteLogEntry>& CRemoteLogStore::Table(HWND frame) {
    if (frame != m_tableFrame) {
        m_tableFrame = frame;
        m_table.clear();
    }
    return m_table;
}

std::vector<RemoteLogEntry>& CRemoteLogStore::Cache(const CDvrClient* client) {
    if (client != m_cacheClient) {
        m_cacheClient = client;
        m_cache.clear();
    }
    return m_cache;
}

void CRemoteLogStore::Reset() {
    m_tableFrame = nullptr;
    m_table.clear();
    m_cacheClient = nullptr;
    m_cache.clear();
}
