#include "ui/StartPage.h"

#include "core/LookupCatalogue.h"
#include "platform/Application.h"
#include "platform/WebBrowser.h"

#include <QWebEngineLoadingInfo>

namespace tellaria {

namespace {

const char FallbackHtml[] = R"HTML(<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>Tellaria</title>
<style>body{font-family:sans-serif;margin:3em;color:#333}h1{font-weight:normal}</style>
</head><body><h1>Tellaria</h1>
<p>在上方输入要查询的内容，选择查询方式，然后按回车键或“查询”按钮，即可同时在多个网上工具书中查看结果。</p>
</body></html>)HTML";

} // namespace

TStartPage::TStartPage(TWebBrowser *browser)
    : QObject(browser)
    , m_browser(browser)
{
    connect(browser->page(), &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo &info) {
                if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
                    if (!m_started) {
                        m_started = true;
                        emit LoadStarted();
                    }
                    return;
                }
                if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus
                    && info.url().scheme() != QLatin1String("data"))
                    ShowFallback();
                emit LoadEnded();
            });
}

void TStartPage::Request()
{
    m_browser->Navigate(QString::fromUtf8(StartPageUrl.data(), qsizetype(StartPageUrl.size())));
    NoteTime("start page");
}

void TStartPage::ShowFallback()
{
    m_browser->setHtml(QString::fromUtf8(FallbackHtml), QUrl(QStringLiteral("data:,")));
}

} // namespace tellaria
