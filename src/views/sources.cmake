# QML files of the Lumivane module, relative to src/.
list(APPEND LUMIVANE_QML_FILES
    views/Main.qml
)
