// A GNOME Shell extension of the tests' own: it minimises windows as the shell's Super+H does
// and tells their states, through org.tellwick.E2e on the session bus. The shell's own Eval
// only works in its unsafe mode, which version 43 cannot be started in.
const { Gio } = imports.gi;
const Main = imports.ui.main;

const INTERFACE = `<node><interface name="org.tellwick.E2e">
  <method name="Minimise"><arg type="s" direction="in"/><arg type="i" direction="out"/></method>
  <method name="States"><arg type="s" direction="out"/></method>
</interface></node>`;

class Minimiser {
    enable() {
        this._object = Gio.DBusExportedObject.wrapJSObject(INTERFACE, this);
        this._object.export(Gio.DBus.session, '/org/tellwick/E2e');
        this._name = Gio.bus_own_name_on_connection(Gio.DBus.session, 'org.tellwick.E2e',
            Gio.BusNameOwnerFlags.NONE, null, null);
        // The shell starts in its overview, which would hide every window.
        Main.overview.hide();
    }

    disable() {
        Gio.bus_unown_name(this._name);
        this._object.unexport();
    }

    // Minimises the windows of this title; answers how many there were.
    Minimise(title) {
        const windows = this._windows().filter(w => w.title === title);
        windows.forEach(w => w.minimize());
        return windows.length;
    }

    // "title minimised|shown", a line per window.
    States() {
        return this._windows().map(w => `${w.title} ${w.minimized ? 'minimised' : 'shown'}`).join('\n');
    }

    _windows() {
        return global.get_window_actors().map(a => a.meta_window);
    }
}

function init() {
    return new Minimiser();
}
