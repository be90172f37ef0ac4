# Qt's headers are most of what each of our Qt files costs to compile, and every file parses them
# anew. They are compiled once instead, into a precompiled header that targets built with the
# same flags share (REUSE_FROM): the program's layers (optimised and fortified) share two, one
# without and one with the browser engine, and the test code (unoptimised) shares one of its own.
# A header that does not match a file's flags is not used, and GCC says so (-Winvalid-pch); the
# file then compiles as it would without one. Measured on 42 of our files, desktop, browser, test
# support and tests alike: 82 s of processor time with the headers, 172 s without, for some 10 s
# to make each of the three.

option(TELLARIA_PRECOMPILED_HEADERS "Compile Qt's headers once for the targets that share flags" ON)

# The Qt headers most of our files include, with the parts of QtCore and QtGui they bring in.
# Not Qt's whole modules: a header of every Qt widget takes longer to make and to load than most
# files take to compile (measured: 17 s against 6 s to make, 1.5 s against 1 s to load, a file
# alone being 2 s).
set(TELLARIA_PCH_QT_HEADERS
    <QtCore/QByteArray> <QtCore/QCoreApplication> <QtCore/QDir> <QtCore/QFile>
    <QtCore/QFileInfo> <QtCore/QObject> <QtCore/QPointer> <QtCore/QProcess>
    <QtCore/QRegularExpression> <QtCore/QString> <QtCore/QStringList> <QtCore/QTimer>
    <QtGui/QKeyEvent> <QtGui/QAction> <QtWidgets/QApplication> <QtWidgets/QComboBox>
    <QtWidgets/QLabel> <QtWidgets/QLineEdit> <QtWidgets/QMenu> <QtWidgets/QToolButton>
    <QtWidgets/QVBoxLayout> <QtWidgets/QWidget>
    <functional> <memory> <optional> <string> <vector>)
# What the browser engine's layers add.
set(TELLARIA_PCH_ENGINE_HEADERS
    <QtPrintSupport/QPrinter> <QtWebEngineCore/QWebEnginePage> <QtWebEngineCore/QWebEngineProfile>
    <QtWebEngineWidgets/QWebEngineView>)

# Makes `name`, a target of its own built with the flags of the targets that share its header and
# linked with `libraries` for their include directories: GCC refuses a precompiled header made with
# a macro defined that a file using it lacks (a layer's own definitions, QtTest's folder names),
# so its maker defines only what all the targets sharing it define. OPTIONS are its compile
# options.
function(tellaria_precompiled_header_maker name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "HEADERS;LIBRARIES;OPTIONS")
    if(NOT TELLARIA_PRECOMPILED_HEADERS)
        return()
    endif()
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${name}.cc)
    if(NOT EXISTS ${source})
        file(WRITE ${source} "// Only the precompiled header of ${name} is wanted from this target.\n")
    endif()
    add_library(${name} OBJECT ${source})
    set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES})
    target_compile_options(${name} PRIVATE ${arg_OPTIONS} -Winvalid-pch -Wno-error=invalid-pch)
    target_precompile_headers(${name} PRIVATE ${arg_HEADERS})
endfunction()

# Gives `target` the precompiled header of `maker`, whose flags it shares.
function(tellaria_reuse_precompiled_headers target maker)
    if(TELLARIA_PRECOMPILED_HEADERS)
        target_precompile_headers(${target} REUSE_FROM ${maker})
        target_compile_options(${target} PRIVATE -Winvalid-pch -Wno-error=invalid-pch)
    endif()
endfunction()

# The program's layers: those below the browser engine share one header, those from it up another.
function(tellaria_precompile_program_layers)
    tellaria_precompiled_header_maker(tellaria_pch_widgets HEADERS ${TELLARIA_PCH_QT_HEADERS}
        LIBRARIES Qt6::Widgets Qt6::Network Qt6::DBus)
    tellaria_precompiled_header_maker(tellaria_pch_engine
        HEADERS ${TELLARIA_PCH_QT_HEADERS} ${TELLARIA_PCH_ENGINE_HEADERS}
        LIBRARIES Qt6::Widgets Qt6::Network Qt6::DBus Qt6::WebEngineWidgets Qt6::PrintSupport)
    foreach(layer tellaria_desktop tellaria_widgets)
        tellaria_reuse_precompiled_headers(${layer} tellaria_pch_widgets)
    endforeach()
    foreach(layer tellaria_browser tellaria_ui tellaria_program)
        tellaria_reuse_precompiled_headers(${layer} tellaria_pch_engine)
    endforeach()
endfunction()
